// Frames of the link protocol (layout in Protocol.h): building them, and reading them back from a UDP
// datagram or from the byte stream of a serial line. Nothing a frame says about its own size is believed
// before the checksum over exactly that many bytes agrees.
#pragma once

#include "Protocol.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace motionlink::link {

struct Frame {
    FrameKind kind = FrameKind::kRequest;
    std::uint16_t command = 0;  // kept raw, so that a controller can answer commands it does not know
    std::uint16_t sequence = 0;
    std::uint32_t session = 0;
    std::uint16_t status = 0;
    std::vector<std::uint8_t> payload;  // at most kMaxPayloadBytes
};

// The frame's bytes. A payload longer than kMaxPayloadBytes is a programming error and stops the program.
std::vector<std::uint8_t> EncodeFrame(const Frame& frame);

// The frame that fills the datagram exactly, or nothing when the datagram is not one valid frame.
std::optional<Frame> ParseFrame(std::span<const std::uint8_t> datagram);

// Reassembles frames from a serial byte stream that may split, join, lose or garble them: after a bad
// frame it looks for the next magic and goes on from there.
class FrameStreamDecoder {
  public:
    void Feed(std::span<const std::uint8_t> bytes);
    // The next whole valid frame, or nothing until more bytes arrive.
    std::optional<Frame> Next();
    std::size_t BufferedBytes() const { return buffer_.size(); }

  private:
    void Drop(std::size_t count);
    std::vector<std::uint8_t> buffer_;
};

}  // namespace motionlink::link
