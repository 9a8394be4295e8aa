// Commands per second of the job encoder, through the job calls into an in-memory job. The job's
// memory is freed outside the timing.
#include <benchmark/benchmark.h>

#include <memory>

#include "BenchHeap.h"
#include "JobBenchJob.h"
#include "JobMemorySink.h"
#include "MotionlinkJob.h"

namespace {

constexpr int kPartsPerJob = 20000;

void BM_EncodeJobCommands(benchmark::State& state) {
    for (auto _ : state) {
        auto sink = std::make_unique<motionlink::JobMemorySink>();
        Zint_StrtWFile(sink.get());
        for (int part = 0; part < kPartsPerJob; ++part) {
            jobbench::WriteJobPart(part);
        }
        Zint_wSetFileEnd();
        benchmark::DoNotOptimize(sink->Bytes().data());
        state.PauseTiming();
        sink.reset();
        state.ResumeTiming();
    }
    jobbench::ReleaseHeap();
    state.SetItemsProcessed(state.iterations() * kPartsPerJob * jobbench::kCommandsPerPart);
}
BENCHMARK(BM_EncodeJobCommands)->Unit(benchmark::kMillisecond);

}  // namespace
