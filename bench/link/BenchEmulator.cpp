// The benchmarks' emulator, whose failure to start is fatal to them, and their download.
#include "BenchEmulator.h"

#include "MotionlinkLink.h"

#include <algorithm>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>

namespace linkbench {

std::unique_ptr<motionlink::emulator::EmulatorServer> StartEmulator(double dropShare, Carrier carrier) {
    motionlink::emulator::EmulatorOptions options;
    options.faults.dropShare = dropShare;
    options.faults.seed = 1234;
    if (carrier == Carrier::kSerial) {
        const std::filesystem::path folder = std::filesystem::temp_directory_path() / "cutrix-linkbench-serial";
        std::filesystem::create_directories(folder);
        ::setenv("CUTRIX_SERIAL_DIR", folder.c_str(), 1);
        options.serial = true;
        options.serialLink = folder / "ttyS0";
    }
    std::string error;
    auto server = motionlink::emulator::EmulatorServer::Start(options, error);
    if (!server) {
        throw std::runtime_error(error);
    }
    ::setenv("CUTRIX_MOTIONLINK_PORT", std::to_string(server->UdpPort()).c_str(), 1);
    return server;
}

bool SendDocument(const std::vector<std::uint8_t>& document, Carrier carrier) {
    constexpr std::size_t kPieceBytes = 1024;
    const bool opened = carrier == Carrier::kSerial ? Zint_Open(0, 1, "") == 0 : Zint_Open(1, 0, "127.0.0.1") == 0;
    bool sent = opened && Zint_StrtDownFile("BENCH") == 0;
    for (std::size_t at = 0; sent && at < document.size(); at += kPieceBytes) {
        sent = Zint_WritePort(document.data() + at,
                              static_cast<std::uint32_t>(std::min(kPieceBytes, document.size() - at))) == 0;
    }
    return sent;
}

}  // namespace linkbench
