// ElementNamer: the numbers of the display names the drawing manager gives its elements ("Curve3"). A
// new element of a type takes the smallest number from 1 to the type's element count that no element of
// the type holds, else count + 1; both the choice and the release cost O(log n).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <set>
#include <unordered_map>
#include <vector>

class CCadElement;

class ElementNamer {
  public:
    static constexpr int kTypeSlots = 7;  // type codes 1..6

    // The number a new element of the type would take, with `count` elements of the type in the drawing.
    long NextNumber(std::uint16_t typeCode, long count) const;
    // The element holds `number` from now on (a number it held before is given back first).
    void Assign(const CCadElement* element, std::uint16_t typeCode, long number);
    // The element's number is free again; nothing for an element without one.
    void Release(const CCadElement* element);
    void Clear();
    // Room for this many more named elements without rehashing.
    void Reserve(std::size_t elements);

  private:
    struct TypeNumbers {
        std::set<long> freeNumbers;  // unheld numbers from 1 to highestKnown
        long highestKnown = 0;
        std::vector<int> holders;  // how many elements hold each number, by number
    };
    struct Held {
        std::uint16_t typeCode;
        long number;
    };
    std::array<TypeNumbers, kTypeSlots> types_;
    std::unordered_map<const CCadElement*, Held> held_;
};
