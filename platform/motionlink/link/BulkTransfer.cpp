// The begin, chunk and end requests of a bulk transfer.
#include "BulkTransfer.h"

#include "Crc32.h"
#include "LinkStatus.h"
#include "Payload.h"

namespace motionlink::link {

std::uint16_t SendBulk(ControllerConnection& connection, BulkKind kind, std::span<const std::uint8_t> bytes) {
    const std::uint16_t begun = StatusOf(connection.Call(
        Command::kBulkBegin,
        Pack(static_cast<std::uint8_t>(kind), static_cast<std::uint32_t>(bytes.size()), Crc32(bytes))));
    if (begun != kLinkOk) {
        return begun;
    }
    std::uint32_t firstChunk = 0;
    std::uint16_t sent = connection.SendChunks(Command::kBulkChunk, bytes, firstChunk);
    const std::uint16_t confirmed = connection.FinishTransfer();
    sent = sent != kLinkOk ? sent : confirmed;
    return sent == kLinkOk ? StatusOf(connection.Call(Command::kBulkEnd, {})) : sent;
}

}  // namespace motionlink::link
