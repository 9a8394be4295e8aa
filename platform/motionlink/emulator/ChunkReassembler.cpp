// The acknowledgement of what the reassembler holds.
#include "ChunkReassembler.h"

namespace motionlink::emulator {

link::ChunkAck ChunkReassembler::Ack() const {
    link::ChunkAck ack;
    ack.inOrder = inOrder_;
    for (const auto& [chunk, bytes] : waiting_) {
        const std::uint32_t beyond = chunk - inOrder_;
        if (beyond >= 1 && beyond <= 64) {
            ack.following |= std::uint64_t{1} << (beyond - 1);
        }
    }
    return ack;
}

}  // namespace motionlink::emulator
