// The pairs of chords that may come within a given reach of each other, found by a sweep along x for
// few chords and through a grid for many.
#pragma once

#include <algorithm>
#include <utility>

#include "ChordGrid.h"
#include "ScratchAllocator.h"
#include "SegmentGeometry.h"

namespace pathsmith {

// Up to this many chords, a sweep over the chords sorted by their left ends costs less than building
// a grid.
inline constexpr int kMaxChordsForSweep = 256;

// Calls visit(a, b), a < b, for every pair of chords whose x ranges come within `reach`.
template <typename Chords, typename Visit>
void ForEachPairOverlappingInX(const Chords& chords, double reach, Visit&& visit) {
    const int count = static_cast<int>(chords.size());
    ScratchVector<std::pair<double, int>> byLeft(count);
    for (int index = 0; index < count; ++index) {
        byLeft[index] = {std::min(chords[index].start.x, chords[index].end.x), index};
    }
    std::sort(byLeft.begin(), byLeft.end());
    for (int position = 0; position < count; ++position) {
        const int a = byLeft[position].second;
        const double right = std::max(chords[a].start.x, chords[a].end.x) + reach;
        for (int later = position + 1; later < count && byLeft[later].first <= right; ++later) {
            const int b = byLeft[later].second;
            visit(std::min(a, b), std::max(a, b));
        }
    }
}

// Calls visit(a, b), a < b, once for every pair of chords whose boxes come within `reach` of each
// other, and maybe for some farther apart.
template <typename Chords, typename Visit>
void ForEachNearPair(const Chords& chords, double reach, Visit&& visit) {
    const int count = static_cast<int>(chords.size());
    if (count <= kMaxChordsForSweep) {
        ForEachPairOverlappingInX(chords, reach, visit);
        return;
    }
    ChordGrid grid(chords, 2 * reach);
    for (int a = 0; a < count; ++a) {
        grid.ForEachNearItem(a, [&](int b) {
            if (b > a) {
                visit(a, b);
            }
        });
    }
}

}  // namespace pathsmith
