#include "TextIndex.h"

#include <utility>

namespace {

constexpr std::size_t kFirstSlotCount = 16;

}  // namespace

// FNV-1a over the bytes, then a final mix so that the low bits, which choose the slot, depend on every
// byte: names such as "K1", "K2", ... would otherwise crowd together.
std::uint32_t TextIndex::Hash(std::string_view text, bool ignoringCase) {
    std::uint64_t hash = 14695981039346656037ull;
    for (char c : text) {
        if (ignoringCase && c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
        hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    }
    hash ^= hash >> 33;
    hash *= 0xff51afd7ed558ccdull;
    hash ^= hash >> 33;
    return static_cast<std::uint32_t>(hash);
}

void TextIndex::Clear() {
    slots_.clear();
    count_ = 0;
}

void TextIndex::Insert(std::uint32_t hash, std::size_t position) {
    if (2 * (count_ + 1) > slots_.size()) {
        Grow();
    }
    Place(Slot{hash, static_cast<std::uint32_t>(position + 1)});
    ++count_;
}

void TextIndex::Place(Slot slot) {
    const std::size_t mask = slots_.size() - 1;
    std::size_t at = slot.hash & mask;
    while (slots_[at].positionPlusOne != 0) {
        at = (at + 1) & mask;
    }
    slots_[at] = slot;
}

void TextIndex::Grow() {
    std::vector<Slot> previous =
        std::exchange(slots_, std::vector<Slot>(slots_.empty() ? kFirstSlotCount : 2 * slots_.size()));
    for (const Slot& slot : previous) {
        if (slot.positionPlusOne != 0) {
            Place(slot);
        }
    }
}
