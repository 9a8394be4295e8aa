// Commands per second of the job encoder, through the job calls into an in-memory job.
#include <benchmark/benchmark.h>

#include "JobBenchJob.h"
#include "JobMemorySink.h"
#include "MotionlinkJob.h"

namespace {

constexpr int kPartsPerJob = 20000;

void BM_EncodeJobCommands(benchmark::State& state) {
    for (auto _ : state) {
        motionlink::JobMemorySink sink;
        Zint_StrtWFile(&sink);
        for (int part = 0; part < kPartsPerJob; ++part) {
            jobbench::WriteJobPart(part);
        }
        Zint_wSetFileEnd();
        benchmark::DoNotOptimize(sink.Bytes().data());
    }
    state.SetItemsProcessed(state.iterations() * kPartsPerJob * jobbench::kCommandsPerPart);
}
BENCHMARK(BM_EncodeJobCommands)->Unit(benchmark::kMillisecond);

}  // namespace
