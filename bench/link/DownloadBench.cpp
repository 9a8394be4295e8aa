// Download throughput over loopback: a 32 MiB job stored in the emulated controller in pieces of 1024
// bytes, the way the download dialog sends it, on a clean link and on links that lose packets, beside a
// plain UDP loop that moves the same bytes as 1 KiB datagrams to a receiver thread, with as many in
// flight as the link's window, and waits for them all.
#include "BenchEmulator.h"
#include "MotionlinkLink.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

constexpr std::int64_t kJobKiB = 32 * 1024;

// The whole download, confirmed by the close, and the document deleted again, which keeps the store
// from filling up over the iterations.
bool Download(const std::vector<std::uint8_t>& job, linkbench::Carrier carrier = linkbench::Carrier::kUdp) {
    bool sent = linkbench::SendDocument(job, carrier);
    // The next call ends the download: every byte confirmed, and the document stored.
    std::uint32_t documents = 0;
    sent = sent && Zint_GetTotalDocNum(&documents) == 0 && documents == 1 && Zint_DeleteDocument(0) == 0;
    return Zint_Close() == 0 && sent;
}

// Arguments: job size in KiB, share of packets lost in each direction in percent.
void BM_DownloadOverLoopback(benchmark::State& state) {
    const std::vector<std::uint8_t> job(static_cast<std::size_t>(state.range(0)) * 1024, 0x5A);
    const auto server = linkbench::StartEmulator(static_cast<double>(state.range(1)) / 100.0);
    std::int64_t failures = 0;
    for (auto _ : state) {
        failures += Download(job) ? 0 : 1;
    }
    state.counters["failures"] = static_cast<double>(failures);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * job.size()));
}
BENCHMARK(BM_DownloadOverLoopback)
    ->Args({kJobKiB, 0})
    ->Args({kJobKiB, 5})
    ->Args({kJobKiB, 20})
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The same download over the pseudo-terminal that stands for a serial port, where each frame takes its
// line time: a lossy line must cost retransmissions timed on the line's own round trip, not the
// program's patience. Arguments as above.
void BM_DownloadOverPseudoTerminal(benchmark::State& state) {
    const std::vector<std::uint8_t> job(static_cast<std::size_t>(state.range(0)) * 1024, 0x5A);
    const auto server =
        linkbench::StartEmulator(static_cast<double>(state.range(1)) / 100.0, linkbench::Carrier::kSerial);
    std::int64_t failures = 0;
    for (auto _ : state) {
        failures += Download(job, linkbench::Carrier::kSerial) ? 0 : 1;
    }
    state.counters["failures"] = static_cast<double>(failures);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * job.size()));
}
BENCHMARK(BM_DownloadOverPseudoTerminal)
    ->Args({4 * 1024, 0})
    ->Args({4 * 1024, 20})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The same bytes as bare datagrams: no frames, checksums or answers.
void BM_PlainUdpLoop(benchmark::State& state) {
    const std::vector<std::uint8_t> job(static_cast<std::size_t>(state.range(0)) * 1024, 0x5A);
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
BENCHMARK(BM_PlainUdpLoop)->Arg(kJobKiB)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
