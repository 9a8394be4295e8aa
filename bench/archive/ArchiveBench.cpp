// Throughput of the archive on a drawing-sized stream of names and coordinates.
#include "Archive.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

constexpr int kRecords = 100000;

platform::Archive StoreRecords() {
    platform::Archive archive = platform::Archive::ForStoring();
    const std::string name = "curve element";
    for (int i = 0; i < kRecords; ++i) {
        archive.WriteString(name);
        archive.WriteDouble(i * 0.5);
        archive.WriteDouble(i * -0.25);
    }
    return archive;
}

void BM_ArchiveWriteStringsAndDoubles(benchmark::State& state) {
    for (auto _ : state) {
        platform::Archive archive = StoreRecords();
        benchmark::DoNotOptimize(archive.Bytes().data());
        state.SetBytesProcessed(state.bytes_processed() + static_cast<int64_t>(archive.Bytes().size()));
    }
}
BENCHMARK(BM_ArchiveWriteStringsAndDoubles);

void BM_ArchiveReadStringsAndDoubles(benchmark::State& state) {
    const auto bytes = StoreRecords().Bytes();
    for (auto _ : state) {
        platform::Archive archive = platform::Archive::ForLoading(bytes);
        double sum = 0;
        for (int i = 0; i < kRecords; ++i) {
            sum += static_cast<double>(archive.ReadString().size());
            sum += archive.ReadDouble() + archive.ReadDouble();
        }
        benchmark::DoNotOptimize(sum);
        state.SetBytesProcessed(state.bytes_processed() + static_cast<int64_t>(bytes.size()));
    }
}
BENCHMARK(BM_ArchiveReadStringsAndDoubles);

}  // namespace
