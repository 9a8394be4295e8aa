// Streaming a job into the shared connection in full chunks.
#include "LinkJobSink.h"

#include "SharedLink.h"

namespace motionlink::link {
namespace {

// Returns once the bytes are in the window, with the transfer's status so far.
std::uint16_t SendShared(std::span<const std::uint8_t> bytes) {
    SharedLink& link = TheSharedLink();
    std::lock_guard guard(link.lock);
    return link.connection.IsOpen() ? link.connection.SendDataChunks(bytes) : kLinkCommunicationError;
}

// The job's end: every byte confirmed by the controller, or the transfer's failure.
std::uint16_t SendLastShared(std::span<const std::uint8_t> bytes) {
    SharedLink& link = TheSharedLink();
    std::lock_guard guard(link.lock);
    if (!link.connection.IsOpen()) {
        return kLinkCommunicationError;
    }
    const std::uint16_t sent = bytes.empty() ? kLinkOk : link.connection.SendDataChunks(bytes);
    const std::uint16_t confirmed = link.connection.FinishTransfer();
    return sent != kLinkOk ? sent : confirmed;
}

}  // namespace

JobStatus LinkJobSink::Write(std::span<const std::uint8_t> storedBytes) {
    std::lock_guard guard(lock_);
    pending_.insert(pending_.end(), storedBytes.begin(), storedBytes.end());
    const std::size_t fullChunkBytes = pending_.size() - pending_.size() % kChunkBytes;
    if (fullChunkBytes == 0) {
        return kJobOk;
    }
    const std::uint16_t status = SendShared(std::span(pending_).first(fullChunkBytes));
    pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(fullChunkBytes));
    return status;
}

JobStatus LinkJobSink::Finish() {
    std::lock_guard guard(lock_);
    const std::uint16_t status = SendLastShared(pending_);
    pending_.clear();
    return status;
}

void LinkJobSink::Discard() {
    std::lock_guard guard(lock_);
    pending_.clear();
}

LinkJobSink& TheLinkJobSink() {
    static LinkJobSink sink;
    return sink;
}

}  // namespace motionlink::link
