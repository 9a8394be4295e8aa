// Dot generation (a plate regenerated, and a new plate's first) and design export of the
// light-guide-plate designer, per dot mode and plate size: spacings 0.5 mm without gradients, dots of
// 0.1 mm. All should cost the same per dot on a large plate as on a small one, and the export should
// cost little more than writing its bytes.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "AtomicFile.h"
#include "LgpPlate.h"
#include "MessageSink.h"

namespace {

using dotplate::CLgpPlate;

dotplate::LgpDotPara DenseDots(std::uint16_t mode) {
    dotplate::LgpDotPara dots;
    dots.dotMode = mode;
    dots.dotWidth = 0.1;
    dots.dotHeight = 0.1;
    for (dotplate::LgpSpacing* spacing : {&dots.upperRows, &dots.lowerRows, &dots.leftColumns, &dots.rightColumns}) {
        *spacing = {0.5, 0.0};
    }
    if (mode == dotplate::kGrid) {  // grid lines both ways
        dots.rowStagger = 1;
        dots.columnStagger = 1;
    }
    return dots;
}

std::size_t DotCount(const CLgpPlate& plate) {
    std::size_t dots = 0;
    for (const auto& row : plate.dotRows) {
        dots += row.dots.size();
    }
    return dots;
}

void Generate(CLgpPlate& plate, benchmark::State& state) {
    plate.MakeRectOutline(static_cast<double>(state.range(0)), static_cast<double>(state.range(1)));
    plate.Generate(DenseDots(static_cast<std::uint16_t>(state.range(2))), dotplate::LgpShapePara{});
}

void PerDot(benchmark::State& state, std::size_t dots) {
    state.counters["dots"] = static_cast<double>(dots);
    state.counters["dots_per_s"] = benchmark::Counter(static_cast<double>(dots), benchmark::Counter::kIsIterationInvariantRate);
    state.counters["time_per_dot"] = benchmark::Counter(
        static_cast<double>(dots), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

std::filesystem::path BenchFile(const char* name) {
    const auto folder = std::filesystem::temp_directory_path() / ("dotplate-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    return folder / name;
}

// Regeneration, as the designer does on every change of a value: the plate has been generated before.
void BM_Generate(benchmark::State& state) {
    CLgpPlate plate;
    Generate(plate, state);
    for (auto _ : state) {
        Generate(plate, state);
        benchmark::DoNotOptimize(plate.dotRows.size());
    }
    PerDot(state, DotCount(plate));
}

// The first generation of a new plate, which takes all of its memory afresh.
void BM_GenerateNewPlate(benchmark::State& state) {
    std::size_t dots = 0;
    for (auto _ : state) {
        CLgpPlate plate;
        Generate(plate, state);
        dots = DotCount(plate);
    }
    PerDot(state, dots);
}

void BM_Export(benchmark::State& state) {
    CLgpPlate plate;
    Generate(plate, state);
    const auto file = BenchFile("lgp.ds");
    platform::NullMessageSink messages;
    for (auto _ : state) {
        if (plate.ExportDesign(file, dotplate::LgpShapePara{}, 2, messages) != 1) {
            state.SkipWithError("export failed");
            break;
        }
    }
    PerDot(state, DotCount(plate));
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(file));
    std::filesystem::remove(file);
}

// The yardstick of the export: the same number of bytes written at once, as atomically.
void BM_BufferedWrite(benchmark::State& state) {
    CLgpPlate plate;
    Generate(plate, state);
    const auto file = BenchFile("lgp.ds");
    platform::NullMessageSink messages;
    plate.ExportDesign(file, dotplate::LgpShapePara{}, 2, messages);
    const std::vector<std::uint8_t> bytes(std::filesystem::file_size(file), 0x5A);
    for (auto _ : state) {
        if (!platform::WriteFileAtomically(file, bytes)) {
            state.SkipWithError("write failed");
            break;
        }
    }
    PerDot(state, DotCount(plate));
    std::filesystem::remove(file);
}

void Sizes(benchmark::internal::Benchmark* benchmark) {
    for (std::int64_t mode = 0; mode <= 5; ++mode) {
        for (auto [width, height] : {std::pair{150, 100}, std::pair{300, 200}, std::pair{600, 400}}) {
            benchmark->Args({width, height, mode});
        }
    }
    benchmark->ArgNames({"w", "h", "mode"})->Unit(benchmark::kMillisecond)->UseRealTime();
}

BENCHMARK(BM_Generate)->Apply(Sizes);
BENCHMARK(BM_GenerateNewPlate)->Apply(Sizes);
BENCHMARK(BM_Export)->Apply(Sizes);
BENCHMARK(BM_BufferedWrite)->Apply(Sizes);

}  // namespace
