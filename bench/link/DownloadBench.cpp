// Download throughput over loopback: a job stored in the emulated controller in pieces of 1024 bytes,
// the way the download dialog sends it, on a clean link and on links that lose packets.
#include "EmulatorServer.h"
#include "MotionlinkLink.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr std::size_t kPieceBytes = 1024;

// An emulator in this process that keeps nothing on disk, and $CUTRIX_MOTIONLINK_PORT pointing at it.
std::unique_ptr<motionlink::emulator::EmulatorServer> StartEmulator(double dropShare) {
    motionlink::emulator::EmulatorOptions options;
    options.faults.dropShare = dropShare;
    options.faults.seed = 1234;
    std::string error;
    auto server = motionlink::emulator::EmulatorServer::Start(options, error);
    if (!server) {
        throw std::runtime_error(error);
    }
    ::setenv("CUTRIX_MOTIONLINK_PORT", std::to_string(server->UdpPort()).c_str(), 1);
    return server;
}

bool Download(const std::vector<std::uint8_t>& job) {
    bool sent = Zint_Open(1, 0, "127.0.0.1") == 0 && Zint_StrtDownFile("BENCH") == 0;
    for (std::size_t at = 0; sent && at < job.size(); at += kPieceBytes) {
        sent = Zint_WritePort(job.data() + at,
                              static_cast<std::uint32_t>(std::min(kPieceBytes, job.size() - at))) == 0;
    }
    sent = sent && Zint_DeleteDocument(0) == 0;  // keeps the store from filling up over the iterations
    Zint_Close();
    return sent;
}

// Arguments: job size in KiB, share of packets lost in each direction in percent.
void BM_DownloadOverLoopback(benchmark::State& state) {
    const std::vector<std::uint8_t> job(static_cast<std::size_t>(state.range(0)) * 1024, 0x5A);
    const auto server = StartEmulator(static_cast<double>(state.range(1)) / 100.0);
    for (auto _ : state) {
        if (!Download(job)) {
            state.SkipWithError("the download failed");
            break;
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * job.size()));
}
BENCHMARK(BM_DownloadOverLoopback)->Args({1024, 0})->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_DownloadOverLoopback)
    ->Args({64, 5})
    ->Args({64, 20})
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
