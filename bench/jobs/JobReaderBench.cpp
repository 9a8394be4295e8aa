// Decode speed of the job reader on a 50 MB job held in memory, in its two forms, beside a scan that
// reads each byte once and sums it, the floor of any pass over the same buffer that looks at every byte.
//
// Every benchmark frees what it allocated outside its timing and hands the memory back to the system
// before it ends (BenchHeap.h), so that the next one does not pay for consolidating this one's heap.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "AtomicFile.h"
#include "BenchHeap.h"
#include "JobBenchJob.h"
#include "JobDecoder.h"
#include "Jobscan.h"

namespace {

constexpr std::size_t kJobBytes = 50u * 1000u * 1000u;

const std::vector<std::uint8_t>& StoredJob() {
    static const std::vector<std::uint8_t> job = jobbench::MakeStoredJob(kJobBytes);
    return job;
}

void CountBytes(benchmark::State& state, std::size_t bytesPerIteration) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytesPerIteration));
}

// One byte at a time on purpose: the compiler may not widen the loop to whole vectors.
void BM_ByteAtATimeScan(benchmark::State& state) {
    const std::vector<std::uint8_t>& job = StoredJob();
    for (auto _ : state) {
        std::uint64_t sum = 0;
        for (const std::uint8_t byte : job) {
            sum += byte;
            benchmark::DoNotOptimize(sum);
        }
    }
    CountBytes(state, job.size());
}
BENCHMARK(BM_ByteAtATimeScan)->Unit(benchmark::kMillisecond);

// The bulk form into one array that is reused from job to job, as the preview does.
void BM_DecodeJobBulk(benchmark::State& state) {
    const std::vector<std::uint8_t>& job = StoredJob();
    std::vector<jobscan::JobRecord> records;
    jobscan::DecodeJob(job, jobscan::JobBytes::kStored, records);  // sizes the reused array
    for (auto _ : state) {
        jobscan::DecodeJob(job, jobscan::JobBytes::kStored, records);
        benchmark::DoNotOptimize(records.data());
    }
    state.counters["records"] = static_cast<double>(records.size());
    std::size_t listRecords = 0;
    for (const jobscan::JobRecord& record : records) {
        jobscan::ExpandRecord(record, [&](const JobCommand&) { ++listRecords; });
    }
    state.counters["list_records"] = static_cast<double>(listRecords);
    records = {};
    jobbench::ReleaseHeap();
    CountBytes(state, job.size());
}
BENCHMARK(BM_DecodeJobBulk)->Unit(benchmark::kMillisecond);

// The whole export: file read, byte transform and the list of every record.
void BM_ReadZintFile(benchmark::State& state) {
    const auto path =
        std::filesystem::temp_directory_path() / ("cutrix-job-bench-" + std::to_string(::getpid()) + ".zint");
    const std::vector<std::uint8_t>& job = StoredJob();
    platform::WriteFileAtomically(path, job);
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
    jobbench::ReleaseHeap();
    state.counters["list_records"] = static_cast<double>(records);
    CountBytes(state, job.size());
}
BENCHMARK(BM_ReadZintFile)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
