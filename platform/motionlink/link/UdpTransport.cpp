// The link over UDP: one connected socket, so that the kernel filters out datagrams from other peers
// and reports an unreachable port as a refusal.
#include "Transport.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <cerrno>

namespace motionlink::link {
namespace {

class UdpTransport final : public Transport {
  public:
    explicit UdpTransport(int socket) : socket_(socket) {}
    ~UdpTransport() override { ::close(socket_); }
    UdpTransport(const UdpTransport&) = delete;
    UdpTransport& operator=(const UdpTransport&) = delete;

    bool Send(std::span<const std::uint8_t> frameBytes) override {
        const ssize_t sent = ::send(socket_, frameBytes.data(), frameBytes.size(), MSG_NOSIGNAL);
        // A refusal means that nobody listens on that port; a full buffer is as good as a lost datagram.
        return sent >= 0 || errno == EAGAIN || errno == ENOBUFS;
    }

    // Takes what has arrived before it waits: while a window of chunks is answered, the next answer is
    // usually there already, and one system call is saved for each.
    Received Receive(Clock::time_point deadline) override {
        for (;;) {
            // One byte more than the largest frame, so that an oversized datagram is seen as such.
            std::array<std::uint8_t, kMaxFrameBytes + 1> datagram;
            const ssize_t got = ::recv(socket_, datagram.data(), datagram.size(), MSG_DONTWAIT);
            if (got >= 0) {
                if (auto frame = ParseFrame(std::span(datagram).first(static_cast<std::size_t>(got)))) {
                    return {ReceiveOutcome::kFrame, std::move(*frame)};
                }
                continue;
            }
            if (errno == EINTR) {
                continue;
            }
            if (errno != EAGAIN && errno != EWOULDBLOCK) {
                return {ReceiveOutcome::kFailed, {}};
            }
            if (Clock::now() >= deadline) {
                return {ReceiveOutcome::kTimeout, {}};
            }
            pollfd ready{socket_, POLLIN, 0};
            const int polled = ::poll(&ready, 1, MillisecondsUntil(deadline));
            if (polled < 0 && errno != EINTR) {
                return {ReceiveOutcome::kFailed, {}};
            }
        }
    }

  private:
    int socket_;
};

}  // namespace

std::unique_ptr<Transport> OpenUdpTransport(const std::string& dottedAddress, std::uint16_t port) {
    sockaddr_in target{};
    target.sin_family = AF_INET;
    target.sin_port = htons(port);
    if (::inet_pton(AF_INET, dottedAddress.c_str(), &target.sin_addr) != 1) {
        return nullptr;
    }
    const int socket = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (socket < 0) {
        return nullptr;
    }
    if (::connect(socket, reinterpret_cast<const sockaddr*>(&target), sizeof target) != 0) {
        ::close(socket);
        return nullptr;
    }
    return std::make_unique<UdpTransport>(socket);
}

}  // namespace motionlink::link
