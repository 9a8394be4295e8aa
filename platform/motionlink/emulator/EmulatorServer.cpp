// The serving thread with its sockets, pseudo-terminal and held-back answers.
#include "EmulatorServer.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <sys/uio.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace motionlink::emulator {

// Every descriptor the server owns; closed when the server goes.
struct EmulatorServer::Descriptors {
    int udp = -1;
    int ptyMaster = -1;
    int ptySlave = -1;  // held open so that the line keeps its raw settings and never hangs up
    int wake = -1;

    ~Descriptors() {
        for (int descriptor : {udp, ptyMaster, ptySlave, wake}) {
            if (descriptor >= 0) {
                ::close(descriptor);
            }
        }
    }
};

namespace {

// Datagrams taken, and answers sent, in one system call each: a window of requests arrives back to back.
constexpr std::size_t kDatagramsPerCall = 32;

struct HeldBack {
    Clock::time_point due;
    std::vector<std::uint8_t> bytes;
    bool toSerial = false;
    sockaddr_in peer{};
};

bool BindUdp(const EmulatorOptions& options, int& descriptor, std::uint16_t& port, std::string& error) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(options.udpPort);
    if (::inet_pton(AF_INET, options.bindAddress.c_str(), &address.sin_addr) != 1) {
        error = "not a dotted IPv4 address: " + options.bindAddress;
        return false;
    }
    descriptor = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (descriptor < 0 ||
        ::bind(descriptor, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        error = std::string("cannot bind the UDP port: ") + std::strerror(errno);
        return false;
    }
    socklen_t length = sizeof address;
    ::getsockname(descriptor, reinterpret_cast<sockaddr*>(&address), &length);
    port = ntohs(address.sin_port);
    return true;
}

bool OpenPseudoTerminal(int& master, int& slave, std::filesystem::path& device, std::string& error) {
    master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
    char name[128] = {};
    if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0 ||
        ::ptsname_r(master, name, sizeof name) != 0) {
        error = std::string("cannot open a pseudo-terminal: ") + std::strerror(errno);
        return false;
    }
    device = name;
    slave = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
    termios settings{};
    if (slave < 0 || ::tcgetattr(slave, &settings) != 0) {
        error = std::string("cannot set up the pseudo-terminal: ") + std::strerror(errno);
        return false;
    }
    ::cfmakeraw(&settings);
    ::tcsetattr(slave, TCSANOW, &settings);
    return true;
}

// Buffers for receiving a burst of datagrams with one call; allocated once, as they are large.
struct DatagramBurst {
    std::array<std::array<std::uint8_t, link::kMaxFrameBytes + 1>, kDatagramsPerCall> bytes;
    std::array<sockaddr_in, kDatagramsPerCall> peers;
    std::array<iovec, kDatagramsPerCall> pieces;
    std::array<mmsghdr, kDatagramsPerCall> headers;

    // The number of datagrams that were waiting (at most kDatagramsPerCall), without waiting itself.
    std::size_t Receive(int socket) {
        for (std::size_t at = 0; at < kDatagramsPerCall; ++at) {
            pieces[at] = {bytes[at].data(), bytes[at].size()};
            headers[at] = {};
            headers[at].msg_hdr.msg_name = &peers[at];
            headers[at].msg_hdr.msg_namelen = sizeof peers[at];
            headers[at].msg_hdr.msg_iov = &pieces[at];
            headers[at].msg_hdr.msg_iovlen = 1;
        }
        const int got = ::recvmmsg(socket, headers.data(), kDatagramsPerCall, MSG_DONTWAIT, nullptr);
        return got > 0 ? static_cast<std::size_t>(got) : 0;
    }

    std::span<const std::uint8_t> Datagram(std::size_t at) const {
        return std::span(bytes[at]).first(headers[at].msg_len);
    }
};

// Sends the datagrams, as many per call as the system takes; a datagram that cannot go is as good as
// lost on the way.
void SendDatagrams(int socket, std::span<const std::vector<std::uint8_t>> datagrams,
                   std::span<const sockaddr_in> peers) {
    std::array<iovec, kDatagramsPerCall> pieces;
    std::array<mmsghdr, kDatagramsPerCall> headers;
    std::size_t sent = 0;
    while (sent < datagrams.size()) {
        const std::size_t count = std::min(kDatagramsPerCall, datagrams.size() - sent);
        for (std::size_t at = 0; at < count; ++at) {
            const std::vector<std::uint8_t>& datagram = datagrams[sent + at];
            // The system only reads what these point at.
            pieces[at] = {const_cast<std::uint8_t*>(datagram.data()), datagram.size()};
            headers[at] = {};
            headers[at].msg_hdr.msg_name = const_cast<sockaddr_in*>(&peers[sent + at]);
            headers[at].msg_hdr.msg_namelen = sizeof(sockaddr_in);
            headers[at].msg_hdr.msg_iov = &pieces[at];
            headers[at].msg_hdr.msg_iovlen = 1;
        }
        const int done = ::sendmmsg(socket, headers.data(), static_cast<unsigned>(count), 0);
        sent += done > 0 ? static_cast<std::size_t>(done) : 1;
    }
}

void WriteAll(int descriptor, std::span<const std::uint8_t> bytes) {
    const Clock::time_point giveUp = Clock::now() + std::chrono::seconds(1);
    while (!bytes.empty() && Clock::now() < giveUp) {
        const ssize_t written = ::write(descriptor, bytes.data(), bytes.size());
        if (written > 0) {
            bytes = bytes.subspan(static_cast<std::size_t>(written));
        } else if (written < 0 && errno != EAGAIN && errno != EINTR) {
            return;
        } else {
            pollfd ready{descriptor, POLLOUT, 0};
            ::poll(&ready, 1, 10);
        }
    }
}

}  // namespace

std::unique_ptr<EmulatorServer> EmulatorServer::Start(const EmulatorOptions& options, std::string& error) {
    std::optional<ControllerState> state = DefaultControllerState();
    if (!options.controller.stateFolder.empty()) {
        std::error_code ignored;
        std::filesystem::create_directories(options.controller.stateFolder, ignored);
        state = LoadControllerState(options.controller.stateFolder);
        if (!state) {
            error = "the state file in " + options.controller.stateFolder.string() + " cannot be read";
            return nullptr;
        }
    }
    std::unique_ptr<EmulatorServer> server(new EmulatorServer(options, std::move(*state)));
    Descriptors& descriptors = *server->descriptors_;
    if (!BindUdp(options, descriptors.udp, server->udpPort_, error)) {
        return nullptr;
    }
    if (options.serial) {
        if (!OpenPseudoTerminal(descriptors.ptyMaster, descriptors.ptySlave, server->serialDevice_, error)) {
            return nullptr;
        }
        if (!options.serialLink.empty()) {
            std::error_code linkError;
            std::filesystem::remove(options.serialLink, linkError);
            std::filesystem::create_symlink(server->serialDevice_, options.serialLink, linkError);
            if (linkError) {
                error = "cannot link " + options.serialLink.string() + ": " + linkError.message();
                return nullptr;
            }
        }
    }
    descriptors.wake = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (descriptors.wake < 0) {
        error = "cannot make the wake-up event";
        return nullptr;
    }
    server->thread_ = std::thread([raw = server.get()] { raw->Serve(); });
    return server;
}

EmulatorServer::EmulatorServer(const EmulatorOptions& options, ControllerState state)
    : options_(options),
      controller_(std::move(state), options.controller, Clock::now()),
      packets_(controller_, options.faults),
      descriptors_(std::make_unique<Descriptors>()) {}

EmulatorServer::~EmulatorServer() {
    Stop();
}

void EmulatorServer::Stop() {
    if (stopped_) {
        return;
    }
    stopped_ = true;
    if (thread_.joinable()) {
        const std::uint64_t one = 1;
        [[maybe_unused]] const ssize_t written = ::write(descriptors_->wake, &one, sizeof one);
        thread_.join();
    }
    {
        std::lock_guard guard(lock_);
        controller_.Save();
    }
    if (options_.serial && !options_.serialLink.empty()) {
        std::error_code ignored;
        std::filesystem::remove(options_.serialLink, ignored);
    }
    descriptors_.reset();
}

ControllerState EmulatorServer::StateSnapshot() {
    std::lock_guard guard(lock_);
    return controller_.State();
}

void EmulatorServer::Serve() {
    std::vector<HeldBack> heldBack;
    const auto burst = std::make_unique<DatagramBurst>();
    const Descriptors& descriptors = *descriptors_;
    auto deliver = [&](const HeldBack& packet) {
        if (packet.toSerial) {
            WriteAll(descriptors.ptyMaster, packet.bytes);
        } else {
            ::sendto(descriptors.udp, packet.bytes.data(), packet.bytes.size(), 0,
                     reinterpret_cast<const sockaddr*>(&packet.peer), sizeof packet.peer);
        }
    };
    auto dispatch = [&](std::vector<Outgoing> answers, bool toSerial, const sockaddr_in& peer) {
        for (Outgoing& answer : answers) {
            HeldBack packet{Clock::now() + answer.delay, std::move(answer.bytes), toSerial, peer};
            if (answer.delay.count() == 0) {
                deliver(packet);
            } else {
                heldBack.push_back(std::move(packet));
            }
        }
    };
    for (;;) {
        int timeoutMs = -1;
        if (!heldBack.empty()) {
            const auto next =
                std::min_element(heldBack.begin(), heldBack.end(),
                                 [](const HeldBack& a, const HeldBack& b) { return a.due < b.due; });
            timeoutMs = link::MillisecondsUntil(next->due);
        }
        std::array<pollfd, 3> ready{{{descriptors.wake, POLLIN, 0},
                                     {descriptors.udp, POLLIN, 0},
                                     {descriptors.ptyMaster, POLLIN, 0}}};
        const int polled = ::poll(ready.data(), descriptors.ptyMaster >= 0 ? 3 : 2, timeoutMs);
        if (polled < 0 && errno != EINTR) {
            return;
        }
        if ((ready[0].revents & POLLIN) != 0) {
            return;
        }
        if ((ready[1].revents & POLLIN) != 0) {
            const std::size_t count = burst->Receive(descriptors.udp);
            std::vector<std::vector<std::uint8_t>> immediate;
            std::vector<sockaddr_in> immediatePeers;
            std::unique_lock guard(lock_);
            for (std::size_t at = 0; at < count; ++at) {
                for (Outgoing& answer : packets_.HandleDatagram(burst->Datagram(at), Clock::now())) {
                    if (answer.delay.count() == 0) {
                        immediate.push_back(std::move(answer.bytes));
                        immediatePeers.push_back(burst->peers[at]);
                    } else {
                        heldBack.push_back({Clock::now() + answer.delay, std::move(answer.bytes), false,
                                            burst->peers[at]});
                    }
                }
            }
            guard.unlock();
            SendDatagrams(descriptors.udp, immediate, immediatePeers);
        }
        if (descriptors.ptyMaster >= 0 && (ready[2].revents & POLLIN) != 0) {
            std::array<std::uint8_t, 4096> bytes;
            const ssize_t got = ::read(descriptors.ptyMaster, bytes.data(), bytes.size());
            if (got > 0) {
                std::unique_lock guard(lock_);
                std::vector<Outgoing> answers = packets_.HandleStreamBytes(
                    std::span(bytes).first(static_cast<std::size_t>(got)), Clock::now());
                guard.unlock();
                dispatch(std::move(answers), true, sockaddr_in{});
            }
        }
        const Clock::time_point now = Clock::now();
        const auto due = std::partition(heldBack.begin(), heldBack.end(),
                                        [now](const HeldBack& packet) { return packet.due > now; });
        std::for_each(due, heldBack.end(), deliver);
        heldBack.erase(due, heldBack.end());
    }
}

}  // namespace motionlink::emulator
