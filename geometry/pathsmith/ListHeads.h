// Heads of linked lists of items grouped by a key of two 64-bit words (the bits of a point, or a
// cell's column and row), in one flat table sized for the keys at construction.
#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace pathsmith {

struct PointKey {
    std::uint64_t x;
    std::uint64_t y;
    bool operator==(const PointKey&) const = default;
};

// The first item of each list of items that share a key (the lists themselves are the caller's,
// linked through arrays of its own), by open addressing in two flat arrays: the offset builds such
// tables on every call, and a node-based map would cost an allocation per key.
class ListHeads {
  public:
    explicit ListHeads(std::size_t keyCount) {
        std::size_t capacity = 16;
        while (capacity < 2 * keyCount) {
            capacity *= 2;
        }
        keys_.resize(capacity);
        heads_.assign(capacity, -1);
    }

    // The head of the key's list, -1 when there is none.
    int Find(const PointKey& key) const {
        for (std::size_t slot = FirstSlot(key);; slot = (slot + 1) & (heads_.size() - 1)) {
            if (heads_[slot] < 0 || keys_[slot] == key) {
                return heads_[slot];
            }
        }
    }

    // Puts item in front of the key's list; returns the item that was the head before, or -1.
    int PushFront(const PointKey& key, int item) {
        for (std::size_t slot = FirstSlot(key);; slot = (slot + 1) & (heads_.size() - 1)) {
            if (heads_[slot] < 0) {
                keys_[slot] = key;
                heads_[slot] = item;
                return -1;
            }
            if (keys_[slot] == key) {
                return std::exchange(heads_[slot], item);
            }
        }
    }

  private:
    // Round coordinates have their bits at the top only, so every bit is folded down to the slot's.
    static std::uint64_t Mixed(std::uint64_t value) {
        value ^= value >> 33;
        value *= 0xFF51AFD7ED558CCDull;
        value ^= value >> 33;
        value *= 0xC4CEB9FE1A85EC53ull;
        return value ^ (value >> 33);
    }
    std::size_t FirstSlot(const PointKey& key) const {
        return static_cast<std::size_t>(Mixed(key.x ^ Mixed(key.y))) & (heads_.size() - 1);
    }

    std::vector<PointKey> keys_;
    std::vector<int> heads_;
};

}  // namespace pathsmith
