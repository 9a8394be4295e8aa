// The selective acknowledgement that answers every chunk of a transfer (layout in Protocol.h).
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace motionlink::link {

struct ChunkAck {
    std::uint32_t inOrder = 0;   // every chunk below this number is held
    std::uint64_t following = 0;  // bit i: chunk inOrder + 1 + i is held too

    bool Holds(std::uint32_t chunk) const {
        if (chunk < inOrder) {
            return true;
        }
        const std::uint32_t beyond = chunk - inOrder;
        return beyond >= 1 && beyond <= 64 && ((following >> (beyond - 1)) & 1) != 0;
    }
};

std::vector<std::uint8_t> PackChunkAck(const ChunkAck& ack);
// Nothing when the payload is not exactly one acknowledgement.
std::optional<ChunkAck> ParseChunkAck(std::span<const std::uint8_t> payload);

}  // namespace motionlink::link
