// Job generation of a drawing of 100,000 straight segments into memory, end to end through the job
// writer (collection, header, frame, layer lists, body, file end), beside the encoder alone writing the
// same path commands. Both count the commands of the job per second.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "BenchShapes.h"
#include "CadMgr.h"
#include "DataProcessDlg.h"
#include "JobMemorySink.h"
#include "Motionlink.h"
#include "SettingsGlobals.h"
#include "SettingsRecords.h"

namespace {

constexpr double kSpacingMm = 6.0;

std::size_t CountCommands(const std::vector<std::uint8_t>& bytes) {
    std::size_t commands = 0;
    for (std::uint8_t byte : bytes) {
        std::uint8_t opcode = byte;
        Zint_UBCmd(&opcode);
        commands += (opcode & 0x80) != 0 ? 1 : 0;
    }
    return commands;
}

void GenerateJob(benchmark::State& state) {
    bench::AddDecagonGrid(kSpacingMm);
    gProcessCtrlSettings.pathOptimise = static_cast<std::uint32_t>(state.range(0));
    auto writeJob = [](motionlink::JobMemorySink& sink) {
        CDataProcessDlg dialog;
        dialog.jobSink = &sink;
        CDataProcessDlg::WriteJobThread(&dialog);
        return dialog.failed == 0;
    };
    motionlink::JobMemorySink first;
    if (!writeJob(first)) {
        state.SkipWithError("the job was not written");
        return;
    }
    const std::size_t commands = CountCommands(first.Bytes());
    for (auto _ : state) {
        motionlink::JobMemorySink sink;
        writeJob(sink);
        benchmark::DoNotOptimize(sink.Bytes().data());
    }
    state.counters["commands"] = static_cast<double>(commands);
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * commands));
    theCadMgr.DeleteAll();
}
BENCHMARK(GenerateJob)->ArgName("pathOptimise")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The same decagons' travel moves and cut lines, written straight to the encoder.
void EncoderAlone(benchmark::State& state) {
    std::vector<std::pair<bool, SDPoint>> path;
    for (int index = 0; index < bench::kDecagonCount; ++index) {
        for (int corner = 0; corner <= bench::kDecagonSides; ++corner) {
            path.emplace_back(corner > 0, bench::DecagonCorner(index, corner, kSpacingMm));
        }
    }
    for (auto _ : state) {
        motionlink::JobMemorySink sink;
        Zint_StrtWFile(&sink);
        std::int32_t cellX = 0;
        std::int32_t cellY = 0;
        for (const auto& [cut, point] : path) {
            if (cut) {
                Zint_wLineTo(&cellX, &cellY, point.x, point.y);
            } else {
                Zint_wMoveTo(&cellX, &cellY, point.x, point.y);
            }
        }
        Zint_wSetFileEnd();
        benchmark::DoNotOptimize(sink.Bytes().data());
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * path.size()));
}
BENCHMARK(EncoderAlone)->Unit(benchmark::kMillisecond);

}  // namespace
