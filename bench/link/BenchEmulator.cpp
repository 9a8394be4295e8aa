// The benchmarks' emulator, whose failure to start is fatal to them, their download, and the plain
// datagram loop.
#include "BenchEmulator.h"

#include "MotionlinkLink.h"
#include "Protocol.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

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

namespace {
constexpr std::size_t kDatagramBytes = 1024;
}

PlainUdpLoop::PlainUdpLoop()
    : receiver_(::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0)), sender_(::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0)) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ready_ = receiver_ >= 0 && sender_ >= 0 &&
             ::bind(receiver_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
             ::getsockname(receiver_, reinterpret_cast<sockaddr*>(&address), &length) == 0 &&
             ::connect(sender_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    if (!ready_) {
        return;
    }
    receiving_ = std::thread([this] {
        std::vector<std::uint8_t> datagram(kDatagramBytes);
        while (!stop_.load()) {
            if (::recv(receiver_, datagram.data(), datagram.size(), 0) > 0) {
                received_.fetch_add(1);
            }
        }
    });
}

PlainUdpLoop::~PlainUdpLoop() {
    if (receiving_.joinable()) {
        stop_.store(true);
        const std::uint8_t wake = 0;  // the receiver's last look at `stop_`
        ::send(sender_, &wake, 1, 0);
        receiving_.join();
    }
    ::close(receiver_);
    ::close(sender_);
}

void PlainUdpLoop::Send(std::span<const std::uint8_t> bytes) {
    const std::size_t datagrams = (bytes.size() + kDatagramBytes - 1) / kDatagramBytes;
    const std::size_t start = received_.load();
    for (std::size_t sent = 0; sent < datagrams; ++sent) {
        while (sent - (received_.load() - start) >= motionlink::link::kWindowChunks) {
            std::this_thread::yield();
        }
        const std::size_t at = sent * kDatagramBytes;
        ::send(sender_, bytes.data() + at, std::min(kDatagramBytes, bytes.size() - at), 0);
    }
    while (received_.load() - start < datagrams) {
        std::this_thread::yield();
    }
}

}  // namespace linkbench
