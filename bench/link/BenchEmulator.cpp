// The benchmarks' emulator, whose failure to start is fatal to them, and their download.
#include "BenchEmulator.h"

#include "MotionlinkLink.h"

#include <algorithm>

#include <cstdlib>
#include <stdexcept>
#include <string>

namespace linkbench {

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

bool SendDocument(const std::vector<std::uint8_t>& document) {
    constexpr std::size_t kPieceBytes = 1024;
    bool sent = Zint_Open(1, 0, "127.0.0.1") == 0 && Zint_StrtDownFile("BENCH") == 0;
    for (std::size_t at = 0; sent && at < document.size(); at += kPieceBytes) {
        sent = Zint_WritePort(document.data() + at,
                              static_cast<std::uint32_t>(std::min(kPieceBytes, document.size() - at))) == 0;
    }
    return sent;
}

}  // namespace linkbench
