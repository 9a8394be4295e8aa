// The loopback controllers of the link's tests.
#include "TestControllers.h"

#include "TempHome.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <cstdlib>
#include <string>

#include "MotionlinkLink.h"

namespace motionlink::testing {
namespace {

// Bound to `wanted`, or with 0 to any free port; the port it got lands in `port`.
int BoundLoopbackSocket(std::uint16_t wanted, std::uint16_t& port) {
    const int descriptor = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(wanted);
    if (descriptor < 0 || ::bind(descriptor, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        ADD_FAILURE() << "cannot bind a loopback UDP socket";
    }
    socklen_t length = sizeof address;
    ::getsockname(descriptor, reinterpret_cast<sockaddr*>(&address), &length);
    port = ntohs(address.sin_port);
    return descriptor;
}

}  // namespace

void UseControllerPort(std::uint16_t port) {
    ::setenv("CUTRIX_MOTIONLINK_PORT", std::to_string(port).c_str(), 1);
}

// In the body: `port_` is initialised after `socket_`, and its initialiser would overwrite the port.
NoController::NoController() {
    socket_ = BoundLoopbackSocket(0, port_);
}

SilentController::SilentController(std::uint16_t port) {
    std::uint16_t bound = 0;
    socket_ = BoundLoopbackSocket(port, bound);
}

SilentController::~SilentController() {
    ::close(socket_);
}

NoController::~NoController() {
    ::close(socket_);
}

emulator::EmulatorOptions InProcessEmulator::DefaultOptions() {
    emulator::EmulatorOptions options;
    options.controller.stateFolder = cutrix::testing::TempHome() / "controller";
    return options;
}

InProcessEmulator::InProcessEmulator(emulator::EmulatorOptions options) : options_(std::move(options)) {
    Start();
}

InProcessEmulator::~InProcessEmulator() {
    Zint_Close();
    server_.reset();
}

void InProcessEmulator::Start() {
    std::string error;
    server_ = emulator::EmulatorServer::Start(options_, error);
    if (!server_) {
        throw std::runtime_error("emulator did not start: " + error);
    }
    options_.udpPort = server_->UdpPort();
    UseControllerPort(server_->UdpPort());
}

void InProcessEmulator::Restart() {
    server_.reset();
    Start();
}

ScriptedController::ScriptedController(Script script) : script_(std::move(script)) {
    socket_ = BoundLoopbackSocket(0, port_);
    wake_ = ::eventfd(0, EFD_CLOEXEC);
    thread_ = std::thread([this] { Serve(); });
}

ScriptedController::~ScriptedController() {
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = ::write(wake_, &one, sizeof one);
    thread_.join();
    ::close(socket_);
    ::close(wake_);
}

link::Frame ScriptedController::AnswerTo(const link::Frame& request, std::uint16_t status,
                                         std::vector<std::uint8_t> payload) {
    link::Frame answer = request;
    answer.kind = link::FrameKind::kAnswer;
    answer.status = status;
    answer.payload = std::move(payload);
    return answer;
}

void ScriptedController::Serve() {
    for (;;) {
        std::array<pollfd, 2> ready{{{wake_, POLLIN, 0}, {socket_, POLLIN, 0}}};
        ::poll(ready.data(), ready.size(), -1);
        if ((ready[0].revents & POLLIN) != 0) {
            return;
        }
        std::array<std::uint8_t, link::kMaxFrameBytes + 1> datagram;
        sockaddr_in peer{};
        socklen_t peerLength = sizeof peer;
        const ssize_t got = ::recvfrom(socket_, datagram.data(), datagram.size(), 0,
                                       reinterpret_cast<sockaddr*>(&peer), &peerLength);
        const std::optional<link::Frame> request =
            got > 0 ? link::ParseFrame(std::span(datagram).first(static_cast<std::size_t>(got)))
                    : std::nullopt;
        if (!request) {
            continue;
        }
        ++requests_;
        if (const std::optional<link::Frame> answer = script_(*request)) {
            const std::vector<std::uint8_t> bytes = link::EncodeFrame(*answer);
            ::sendto(socket_, bytes.data(), bytes.size(), 0, reinterpret_cast<sockaddr*>(&peer), peerLength);
        }
    }
}

}  // namespace motionlink::testing
