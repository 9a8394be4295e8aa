// ElementNamer: free name numbers kept in an ordered set, so the smallest is always at hand.
#include "ElementNamer.h"

#include <algorithm>

long ElementNamer::NextNumber(std::uint16_t typeCode, long count) const {
    if (typeCode >= kTypeSlots) {
        return count + 1;
    }
    const TypeNumbers& numbers = types_[typeCode];
    if (!numbers.freeNumbers.empty() && *numbers.freeNumbers.begin() <= count) {
        return *numbers.freeNumbers.begin();
    }
    return count + 1;
}

void ElementNamer::Assign(const CCadElement* element, std::uint16_t typeCode, long number) {
    Release(element);
    if (typeCode >= kTypeSlots || number < 1) {
        return;
    }
    TypeNumbers& numbers = types_[typeCode];
    // Every number passed over becomes known as free; each is added once, so growth is amortised O(1).
    for (long unheld = numbers.highestKnown + 1; unheld < number; ++unheld) {
        numbers.freeNumbers.insert(numbers.freeNumbers.end(), unheld);
    }
    numbers.highestKnown = std::max(numbers.highestKnown, number);
    numbers.freeNumbers.erase(number);
    if (numbers.holders.size() <= static_cast<std::size_t>(number)) {
        numbers.holders.resize(static_cast<std::size_t>(number) + 1);
    }
    ++numbers.holders[number];
    held_[element] = {typeCode, number};
}

void ElementNamer::Release(const CCadElement* element) {
    const auto found = held_.find(element);
    if (found == held_.end()) {
        return;
    }
    TypeNumbers& numbers = types_[found->second.typeCode];
    if (--numbers.holders[found->second.number] == 0) {
        numbers.freeNumbers.insert(found->second.number);
    }
    held_.erase(found);
}

void ElementNamer::Reserve(std::size_t elements) {
    held_.reserve(held_.size() + elements);
}

void ElementNamer::Clear() {
    types_ = {};
    held_.clear();
}
