// Decode speed of the job reader on a 100 MB job, whole (file read, byte transform, walk) and walk
// only, beside a plain scan of the same buffer as the floor of what any pass over it costs.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "ByteTransform.h"
#include "JobBenchJob.h"
#include "JobStreamWalker.h"
#include "Jobscan.h"

namespace {

constexpr std::size_t kJobBytes = 100u * 1000u * 1000u;

const std::vector<std::uint8_t>& StoredJob() {
    static const std::vector<std::uint8_t> job = jobbench::MakeStoredJob(kJobBytes);
    return job;
}

const std::vector<std::uint8_t>& OpcodeStream() {
    static const std::vector<std::uint8_t> stream = [] {
        std::vector<std::uint8_t> opcodes = StoredJob();
        for (std::uint8_t& byte : opcodes) {
            byte = motionlink::OpcodeByteFromStored(byte);
        }
        return opcodes;
    }();
    return stream;
}

void CountBytes(benchmark::State& state, std::size_t bytesPerIteration) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytesPerIteration));
}

void BM_ReadZintFile(benchmark::State& state) {
    const auto path =
        std::filesystem::temp_directory_path() / ("cutrix-job-bench-" + std::to_string(::getpid()) + ".zint");
    const std::vector<std::uint8_t>& job = StoredJob();
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(job.data()), job.size());
    std::size_t records = 0;
    for (auto _ : state) {
        CDbList<JobCommand> list;
        Zint_ReadZintFile(path.c_str(), &list, 0);
        state.PauseTiming();
        records = static_cast<std::size_t>(list.GetCount());
        list.RemoveAll();
        state.ResumeTiming();
    }
    std::filesystem::remove(path);
    state.counters["records"] = static_cast<double>(records);
    CountBytes(state, job.size());
}
BENCHMARK(BM_ReadZintFile)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_WalkJobStream(benchmark::State& state) {
    const std::vector<std::uint8_t>& stream = OpcodeStream();
    for (auto _ : state) {
        CDbList<JobCommand> list;
        jobscan::WalkJobStream(stream, &list);
        state.PauseTiming();
        list.RemoveAll();
        state.ResumeTiming();
    }
    CountBytes(state, stream.size());
}
BENCHMARK(BM_WalkJobStream)->Unit(benchmark::kMillisecond)->Iterations(3);

// Counts the command-first bytes: one read and one compare per byte.
void BM_PlainMemoryScan(benchmark::State& state) {
    const std::vector<std::uint8_t>& stream = OpcodeStream();
    for (auto _ : state) {
        std::size_t opcodes = 0;
        for (const std::uint8_t byte : stream) {
            opcodes += byte >> 7;
        }
        benchmark::DoNotOptimize(opcodes);
    }
    CountBytes(state, stream.size());
}
BENCHMARK(BM_PlainMemoryScan)->Unit(benchmark::kMillisecond);

}  // namespace
