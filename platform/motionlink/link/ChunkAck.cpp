// Packing and reading chunk acknowledgements.
#include "ChunkAck.h"

#include "Payload.h"

namespace motionlink::link {

std::vector<std::uint8_t> PackChunkAck(const ChunkAck& ack) {
    return Pack(ack.inOrder, ack.following);
}

std::optional<ChunkAck> ParseChunkAck(std::span<const std::uint8_t> payload) {
    constexpr std::size_t kAckBytes = 12;
    if (payload.size() != kAckBytes) {
        return std::nullopt;
    }
    platform::Archive archive = platform::Archive::ForLoading({payload.begin(), payload.end()});
    ChunkAck ack;
    ack.inOrder = archive.ReadU32();
    ack.following = archive.ReadU64();
    return ack;
}

}  // namespace motionlink::link
