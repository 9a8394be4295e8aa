// TextIndex: an open-addressing hash index from texts to their positions in an ordered vector, for
// the sections of a text store and the keys of a section. It stores only a 32-bit hash and a position
// per text, so that a lookup in a large store touches one or two cache lines, not a chain of nodes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

class TextIndex {
  public:
    static constexpr std::size_t kNotFound = static_cast<std::size_t>(-1);

    // The hash of a text; with ignoringCase, ASCII capitals count as their small letters, so that
    // names differing only in case hash alike.
    static std::uint32_t Hash(std::string_view text, bool ignoringCase);

    void Clear();
    // Enters the position under the hash; a position is entered once. Positions are held in 32 bits:
    // the files behind a store are limited to a few MB, far below 2^32 sections or keys.
    void Insert(std::uint32_t hash, std::size_t position);
    // The first position entered under the hash for which matches(position) holds, or kNotFound.
    template <typename Matches>
    std::size_t Find(std::uint32_t hash, Matches matches) const {
        if (slots_.empty()) {
            return kNotFound;
        }
        const std::size_t mask = slots_.size() - 1;
        for (std::size_t at = hash & mask; slots_[at].positionPlusOne != 0; at = (at + 1) & mask) {
            const Slot& slot = slots_[at];
            if (slot.hash == hash && matches(slot.positionPlusOne - 1)) {
                return slot.positionPlusOne - 1;
            }
        }
        return kNotFound;
    }

  private:
    struct Slot {
        std::uint32_t hash = 0;
        std::uint32_t positionPlusOne = 0;  // 0 marks an empty slot
    };

    void Place(Slot slot);
    void Grow();

    std::vector<Slot> slots_;  // a power of two in size, at most half full
    std::size_t count_ = 0;
};
