// A job of 100,000 segments generated and streamed into the emulated controller on loopback as one path,
// the way Start sends it, beside its parts apart: the same job generated into memory, a plain send of its
// bytes as bare datagrams, and the emulated controller's own reading of the job, which it does before it
// confirms the last bytes. The one path waits for the controller to confirm every byte.
#include "BenchEmulator.h"
#include "BenchShapes.h"
#include "CadMgr.h"
#include "ConnectSetting.h"
#include "DataProcessDlg.h"
#include "JobMeasure.h"
#include "JobMemorySink.h"
#include "SettingsGlobals.h"
#include "SettingsRecords.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

constexpr double kSpacingMm = 6.0;

void BuildDrawing() {
    gProcessCtrlSettings = ProcessCtrlSettings{};
    gProcessCtrlSettings.pathOptimise = 0;
    bench::AddDecagonGrid(kSpacingMm);
}

void PointAtLoopback() {
    ConnectSetting.kind = CConnectSetting::kKindNetwork;
    ConnectSetting.addressIndex = 0;
    ConnectSetting.defaultAddress = {127, 0, 0, 1};
}

// Writes the drawing's job into `sink`, or into the controller when `sink` is null.
bool WriteJob(motionlink::JobSink* sink) {
    CDataProcessDlg dialog;
    dialog.jobSink = sink;
    JobDestinationFlag = sink == nullptr ? 1 : 0;
    CDataProcessDlg::WriteJobThread(&dialog);
    JobDestinationFlag = 0;
    return dialog.failed == 0;
}

std::vector<std::uint8_t> JobBytes() {
    motionlink::JobMemorySink sink;
    WriteJob(&sink);
    return sink.Bytes();
}

// Each iteration talks to a controller of its own, started untimed: a controller still running the
// previous job would refuse the next one.
void BM_JobSentToEmulator(benchmark::State& state) {
    BuildDrawing();
    PointAtLoopback();
    std::int64_t failures = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto server = linkbench::StartEmulator(0.0);
        state.ResumeTiming();
        failures += WriteJob(nullptr) ? 0 : 1;
        state.PauseTiming();
        server.reset();
        state.ResumeTiming();
    }
    state.counters["failures"] = static_cast<double>(failures);
    state.counters["bytes"] = static_cast<double>(JobBytes().size());
    theCadMgr.DeleteAll();
}
BENCHMARK(BM_JobSentToEmulator)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_JobGeneratedInMemory(benchmark::State& state) {
    BuildDrawing();
    for (auto _ : state) {
        motionlink::JobMemorySink sink;
        WriteJob(&sink);
        benchmark::DoNotOptimize(sink.Bytes().data());
    }
    theCadMgr.DeleteAll();
}
BENCHMARK(BM_JobGeneratedInMemory)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PlainSendOfJobBytes(benchmark::State& state) {
    BuildDrawing();
    const std::vector<std::uint8_t> job = JobBytes();
    theCadMgr.DeleteAll();
    linkbench::PlainUdpLoop loop;
    if (!loop.Ready()) {
        state.SkipWithError("no loopback socket");
        return;
    }
    for (auto _ : state) {
        loop.Send(job);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * job.size()));
}
BENCHMARK(BM_PlainSendOfJobBytes)->Unit(benchmark::kMillisecond)->UseRealTime();

// Opening the connection and closing it again, which the one path does around the job.
void BM_OpenAndClose(benchmark::State& state) {
    PointAtLoopback();
    std::int64_t failures = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto server = linkbench::StartEmulator(0.0);
        state.ResumeTiming();
        failures += ConnectSetting.Open() == 0 ? 0 : 1;
        ConnectSetting.Close();
        state.PauseTiming();
        server.reset();
        state.ResumeTiming();
    }
    state.counters["failures"] = static_cast<double>(failures);
}
BENCHMARK(BM_OpenAndClose)->Unit(benchmark::kMillisecond)->UseRealTime();

// The emulated controller measures a job's time and travel when its end arrives, before it answers.
void BM_EmulatorMeasuresJob(benchmark::State& state) {
    BuildDrawing();
    const std::vector<std::uint8_t> job = JobBytes();
    theCadMgr.DeleteAll();
    constexpr double kIdleSpeedMmPerS = 200.0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(motionlink::emulator::MeasureJob(job, kIdleSpeedMmPerS));
    }
}
BENCHMARK(BM_EmulatorMeasuresJob)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
