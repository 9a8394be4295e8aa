// Upload throughput over loopback: a 4 MiB document read back from the emulated controller page by
// page, the way the document dialog reads it, on a clean link and on links that lose packets.
#include "BenchEmulator.h"
#include "MotionlinkLink.h"

#include <benchmark/benchmark.h>

#include <array>
#include <vector>

namespace {

constexpr std::int64_t kDocumentKiB = 4 * 1024;

// Every page of the first document, until the controller marks the last; the bytes read.
std::size_t Upload() {
    std::size_t bytes = 0;
    std::array<std::uint8_t, 2112> page{};
    for (std::uint32_t number = 0;; ++number) {
        std::uint32_t length = 0;
        const std::uint16_t status = Zint_GetDocumentPageData(1, number, page.data(), &length);
        if (status != 0 && status != 3 && status != 4) {
            return 0;
        }
        bytes += length;
        if (status == 4) {
            return bytes;
        }
    }
}

// Arguments: document size in KiB, share of packets lost in each direction in percent.
void BM_UploadOverLoopback(benchmark::State& state) {
    const std::vector<std::uint8_t> document(static_cast<std::size_t>(state.range(0)) * 1024, 0x5A);
    const auto server = linkbench::StartEmulator(static_cast<double>(state.range(1)) / 100.0);
    if (!linkbench::SendDocument(document) || Zint_Close() != 0 || Zint_Open(1, 0, "127.0.0.1") != 0) {
        state.SkipWithError("the document could not be stored");
        return;
    }
    std::int64_t failures = 0;
    for (auto _ : state) {
        failures += Upload() > document.size() ? 0 : 1;  // the pages hold it behind a short header
    }
    Zint_Close();
    state.counters["failures"] = static_cast<double>(failures);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * document.size()));
}
BENCHMARK(BM_UploadOverLoopback)
    ->Args({kDocumentKiB, 0})
    ->Args({kDocumentKiB, 5})
    ->Args({kDocumentKiB, 20})
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
