// Heads of linked lists of items grouped by a key of two 64-bit words (the bits of a point, or a
// cell's column and row), in one flat table sized for the keys at construction.
#pragma once

#include <cmath>
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
// linked through arrays of its own), by open addressing in one flat array of items: the offset builds
// such tables on every call, and a node-based map would cost an allocation per key. The table holds
// no keys, only items, whose keys keyOf gives: four bytes a slot keep it small enough to stay
// within the heap's reused memory on medium contours.
template <typename KeyOfItem>
class ListHeads {
  public:
    ListHeads(std::size_t keyCount, KeyOfItem keyOf) : keyOf_(std::move(keyOf)) {
        std::size_t capacity = 16;
        while (capacity < 2 * keyCount) {
            capacity *= 2;
        }
        std::vector<std::vector<int>>& spare = SpareTables();
        // Room for every table handed back, so that the destructor never allocates.
        spare.reserve(kMaxSpareTables);
        if (!spare.empty()) {
            heads_ = std::move(spare.back());
            spare.pop_back();
        }
        heads_.assign(capacity, -1);
    }
    ~ListHeads() {
        std::vector<std::vector<int>>& spare = SpareTables();
        if (heads_.capacity() <= kMaxSpareSlots && spare.size() < kMaxSpareTables) {
            spare.push_back(std::move(heads_));
        }
    }
    ListHeads(const ListHeads&) = delete;
    ListHeads& operator=(const ListHeads&) = delete;

    // The head of the key's list, -1 when there is none.
    int Find(const PointKey& key) const {
        for (std::size_t slot = FirstSlot(key);; slot = (slot + 1) & (heads_.size() - 1)) {
            if (heads_[slot] < 0 || keyOf_(heads_[slot]) == key) {
                return heads_[slot];
            }
        }
    }

    // Puts item in front of its key's list; returns the item that was the head before, or -1.
    int PushFront(int item) {
        const PointKey key = keyOf_(item);
        for (std::size_t slot = FirstSlot(key);; slot = (slot + 1) & (heads_.size() - 1)) {
            if (heads_[slot] < 0) {
                heads_[slot] = item;
                return -1;
            }
            if (keyOf_(heads_[slot]) == key) {
                return std::exchange(heads_[slot], item);
            }
        }
    }

  private:
    // Tables of small and medium contours are kept per thread for the next call: freeing and taking
    // them again on every offset would grow and shrink the heap each time.
    static constexpr std::size_t kMaxSpareSlots = 1 << 16;
    static constexpr std::size_t kMaxSpareTables = 4;
    static std::vector<std::vector<int>>& SpareTables() {
        thread_local std::vector<std::vector<int>> spare;
        return spare;
    }

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

    KeyOfItem keyOf_;
    std::vector<int> heads_;
};

// The key of the cell of the given size that holds the point.
inline PointKey CellKeyOf(double x, double y, double cellSize) {
    return {static_cast<std::uint64_t>(static_cast<std::int64_t>(std::floor(x / cellSize))),
            static_cast<std::uint64_t>(static_cast<std::int64_t>(std::floor(y / cellSize)))};
}

}  // namespace pathsmith
