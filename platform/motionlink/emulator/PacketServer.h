// The emulator's packet side: reads frames from datagrams or from a serial byte stream, keeps one
// session per client (with its last answer, so that a repeated request is answered again without
// being carried out twice), hands requests to the controller and applies the fault options to what
// comes in and goes out.
#pragma once

#include "EmulatedController.h"
#include "Frame.h"

#include <chrono>
#include <cstdint>
#include <map>
#include <random>
#include <span>
#include <vector>

namespace motionlink::emulator {

struct FaultOptions {
    double dropShare = 0;     // share of packets lost, in each direction
    double corruptShare = 0;  // share of packets with one byte changed, in each direction
    double delayShare = 0;    // share of answers held back by `delay`
    std::chrono::milliseconds delay{0};
    std::uint32_t seed = 1;
};

// One answer to send, after `delay`.
struct Outgoing {
    std::vector<std::uint8_t> bytes;
    std::chrono::milliseconds delay{0};
};

class PacketServer {
  public:
    PacketServer(EmulatedController& controller, FaultOptions faults);

    // A datagram from a client; the answers go back to its sender.
    std::vector<Outgoing> HandleDatagram(std::span<const std::uint8_t> datagram, Clock::time_point now);
    // Bytes read from the serial line.
    std::vector<Outgoing> HandleStreamBytes(std::span<const std::uint8_t> bytes, Clock::time_point now);

    std::size_t SessionCount() const { return sessions_.size(); }

  private:
    struct Session {
        SessionState state;
        std::uint16_t lastSequence = 0;
        std::vector<std::uint8_t> lastAnswer;  // empty until the first answer
        // The client sends no request but chunks while chunks are in flight, so a chunk numbered before
        // the latest other request is a late copy from a transfer that has ended.
        std::uint16_t lastCallSequence = 0;
        std::uint64_t lastUsed = 0;
    };

    void HandleFrame(const link::Frame& request, Clock::time_point now, std::vector<Outgoing>& out);
    Session* SessionFor(const link::Frame& request);
    void EvictOldestSession();
    void Send(std::vector<std::uint8_t> bytes, std::vector<Outgoing>& out);
    bool Happens(double share);

    EmulatedController& controller_;
    FaultOptions faults_;
    std::mt19937 random_;
    std::map<std::uint32_t, Session> sessions_;
    std::uint64_t useCounter_ = 0;
    link::FrameStreamDecoder streamDecoder_;
};

}  // namespace motionlink::emulator
