// The byte carriers under the link: a connected UDP socket, or a serial device (a real port or a
// pseudo-terminal). Both hand whole, checked frames to the client and drop everything else.
#pragma once

#include "Frame.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string>

namespace motionlink::link {

using Clock = std::chrono::steady_clock;

// The wait until the deadline, rounded up to whole milliseconds as poll() takes it; 0 once it passed.
inline int MillisecondsUntil(Clock::time_point deadline) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left <= 0 ? 0 : static_cast<int>(left);
}

// The shortest wait before a request goes again, on any carrier: a few of poll()'s millisecond ticks.
// A carrier's line time comes on top (Transport::LineTime).
constexpr std::chrono::milliseconds kRetransmitFloor{3};

enum class ReceiveOutcome {
    kFrame,    // `frame` holds a valid frame
    kTimeout,  // nothing valid arrived before the deadline
    kFailed,   // the carrier broke, or the peer refused (no controller listens there)
};

struct Received {
    ReceiveOutcome outcome = ReceiveOutcome::kTimeout;
    Frame frame;
};

class Transport {
  public:
    virtual ~Transport() = default;
    // False when the carrier is broken; a datagram that is merely lost still counts as sent.
    virtual bool Send(std::span<const std::uint8_t> frameBytes) = 0;
    virtual Received Receive(Clock::time_point deadline) = 0;
    // How long the carrier itself takes to move this many bytes; a request waits that much longer for
    // its answer before it is sent again, and a silent controller is given that much longer.
    virtual Clock::duration LineTime(std::size_t /*bytes*/) const { return Clock::duration::zero(); }
    // Chunks a transfer may have in flight on this carrier, at most kWindowChunks.
    virtual std::size_t WindowChunks() const { return kWindowChunks; }
};

// A UDP socket connected to the dotted address and port; nothing when the address is not a dotted
// IPv4 address or no socket can be made.
std::unique_ptr<Transport> OpenUdpTransport(const std::string& dottedAddress, std::uint16_t port);

// The serial device set to raw 8N1 at 115200 baud; nothing when it cannot be opened.
std::unique_ptr<Transport> OpenSerialTransport(const std::filesystem::path& device);

}  // namespace motionlink::link
