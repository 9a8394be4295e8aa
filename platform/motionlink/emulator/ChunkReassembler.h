// The controller's side of a window of chunks: chunks may arrive in any order and more than once; their
// bytes are handed on in chunk order, each chunk once, and chunks that arrive ahead of a gap wait
// (within kWindowChunks of the gap) until it is filled.
#pragma once

#include "ChunkAck.h"
#include "Protocol.h"

#include <cstdint>
#include <map>
#include <vector>

namespace motionlink::emulator {

class ChunkReassembler {
  public:
    // Takes one chunk. `deliver(bytes)` is called for it and for every waiting chunk that follows it, in
    // order, with the chunk's bytes to keep, and returns false to refuse a chunk, which ends the delivery. False when a chunk was refused
    // or this one lies beyond the window; a chunk held already is taken again without effect.
    template <typename Deliver>
    bool Take(std::uint32_t chunk, std::vector<std::uint8_t> bytes, Deliver&& deliver) {
        if (chunk < inOrder_ || waiting_.contains(chunk)) {
            return true;
        }
        if (chunk - inOrder_ >= link::kWindowChunks) {
            return false;
        }
        waiting_.emplace(chunk, std::move(bytes));
        for (auto next = waiting_.find(inOrder_); next != waiting_.end(); next = waiting_.find(inOrder_)) {
            std::vector<std::uint8_t> ready = std::move(next->second);
            waiting_.erase(next);
            if (!deliver(std::move(ready))) {
                return false;
            }
            ++inOrder_;
        }
        return true;
    }

    link::ChunkAck Ack() const;
    // Chunks handed on so far: every chunk below this number.
    std::uint32_t InOrder() const { return inOrder_; }
    void Restart() {
        inOrder_ = 0;
        waiting_.clear();
    }

  private:
    std::uint32_t inOrder_ = 0;
    std::map<std::uint32_t, std::vector<std::uint8_t>> waiting_;
};

}  // namespace motionlink::emulator
