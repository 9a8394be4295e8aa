// Importing 10 MB plotter (PLT), illustration (AI) and embroidery (DST) files until the drawing is shown,
// each beside the reader's parse into records alone and a plain read of the same file. The PLT and AI files are written by the file library's own
// writers; the DST file stitch by stitch.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "BenchPlacement.h"
#include "Filebridge.h"

namespace {

constexpr std::uintmax_t kTargetBytes = 10ULL * 1024 * 1024;

std::string BenchPath(const char* extension) {
    return (std::filesystem::temp_directory_path() /
            ("filebridge-format-bench-" + std::to_string(::getpid()) + extension))
        .string();
}

// A closed wavy square of 12 lines in a grid cell.
CDbList<CFileLine> Cell(int cell) {
    const double x = (cell % 200) * 5.0, y = (cell / 200) * 5.0;
    const SDPoint corners[] = {{x, y},         {x + 1, y + 0.2}, {x + 2, y},         {x + 3, y + 0.2},
                               {x + 3, y + 1}, {x + 2.8, y + 2}, {x + 3, y + 3},     {x + 2, y + 2.8},
                               {x + 1, y + 3}, {x, y + 2.8},     {x + 0.2, y + 2},   {x, y + 1}};
    CDbList<CFileLine> segments;
    for (std::size_t index = 0; index < std::size(corners); ++index) {
        CFileLine line;
        line.start = corners[index];
        line.end = corners[(index + 1) % std::size(corners)];
        segments.AddTail(line);
    }
    return segments;
}

template <typename Header, typename Curve, typename End>
std::string WriteVectorFile(const char* extension, Header header, Curve curve, End end) {
    const std::string path = BenchPath(extension);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    header(file);
    for (int cell = 0; std::ftell(file) < static_cast<long>(kTargetBytes); ++cell) {
        CDbList<CFileLine> segments = Cell(cell);
        std::int32_t written = 0;
        curve(file, segments, written);
    }
    end(file);
    std::fclose(file);
    return path;
}

std::string WritePlt() {
    static const std::array<std::uint32_t, 256> colours{};
    return WriteVectorFile(
        ".plt", [](std::FILE* file) { _file_SavePltHeader(file); },
        [](std::FILE* file, CDbList<CFileLine>& segments, std::int32_t& written) {
            _file_SaveCurveAsPlt(file, &segments, 0, colours.data(), 1016.0, &written);
        },
        [](std::FILE* file) { _file_SavePltEnd(file); });
}

std::string WriteAi() {
    return WriteVectorFile(
        ".ai", [](std::FILE* file) { _file_SaveAIHeader(file); },
        [](std::FILE* file, CDbList<CFileLine>& segments, std::int32_t& written) {
            _file_SaveCurveAsAI(file, &segments, 0, 1, &written);
        },
        [](std::FILE* file) { _file_SaveAIEnd(file); });
}

// Runs of 99 stitches of 0.1 mm, stepping right and up in turn, each run after a jump; an end record.
std::string WriteDst() {
    const std::string path = BenchPath(".dst");
    std::FILE* file = std::fopen(path.c_str(), "wb");
    const std::string header(512, ' ');
    std::fwrite(header.data(), 1, header.size(), file);
    constexpr std::uint8_t kRight = 0x01, kUp = 0x80, kStitch = 0x03, kJump = 0x83;
    for (std::uintmax_t record = 0; record * 3 < kTargetBytes; ++record) {
        const bool jump = record % 100 == 0;
        const std::uint8_t bytes[] = {static_cast<std::uint8_t>(record % 2 == 0 ? kRight : kUp), 0,
                                      jump ? kJump : kStitch};
        std::fwrite(bytes, 1, 3, file);
    }
    const std::uint8_t end[] = {0, 0, 0xF3};
    std::fwrite(end, 1, 3, file);
    std::fclose(file);
    return path;
}

struct BenchFile {
    std::string path;
    ~BenchFile() {
        std::error_code ignored;
        std::filesystem::remove(path, ignored);
    }
};

const std::string& FileOf(int kind) {
    static const BenchFile plt{WritePlt()};
    static const BenchFile ai{WriteAi()};
    static const BenchFile dst{WriteDst()};
    return kind == 0 ? plt.path : kind == 1 ? ai.path : dst.path;
}

void BM_FormatImportUntilShown(benchmark::State& state) {
    bench::ImportUntilShown(state, FileOf(static_cast<int>(state.range(0))));
}

void BM_FormatImportRecords(benchmark::State& state) {
    bench::ImportRecords(state, FileOf(static_cast<int>(state.range(0))));
}

void BM_FormatPlainRead(benchmark::State& state) {
    bench::PlainRead(state, FileOf(static_cast<int>(state.range(0))));
}

// 0 PLT, 1 AI, 2 DST.
BENCHMARK(BM_FormatImportUntilShown)->DenseRange(0, 2)->ArgName("format")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FormatImportRecords)->DenseRange(0, 2)->ArgName("format")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FormatPlainRead)->DenseRange(0, 2)->ArgName("format")->Unit(benchmark::kMillisecond);

}  // namespace
