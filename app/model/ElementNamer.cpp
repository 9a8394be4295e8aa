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
    ++numbers.holders[number];
    held_[element] = {typeCode, number};
}

void ElementNamer::Release(const CCadElement* element) {
    const auto found = held_.find(element);
    if (found == held_.end()) {
        return;
    }
    TypeNumbers& numbers = types_[found->second.typeCode];
    const auto holder = numbers.holders.find(found->second.number);
    if (--holder->second == 0) {
        numbers.holders.erase(holder);
        numbers.freeNumbers.insert(found->second.number);
    }
    held_.erase(found);
}

void ElementNamer::Clear() {
    types_ = {};
    held_.clear();
}
