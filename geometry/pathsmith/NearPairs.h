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
// a grid; beyond it, chords that share their x range would make the sweep's pairs grow with the
// square of their count.
inline constexpr int kMaxChordsForSweep = 2048;

// Calls visit(a, b), a < b, for every pair of chords whose boxes come within `reach` of each other,
// sweeping along x over the boxes sorted by their left sides.
template <typename Chords, typename Visit>
void ForEachPairBySweep(const Chords& chords, double reach, Visit&& visit) {
    struct SweptBox {
        Box box;
        int index;
    };
    const int count = static_cast<int>(chords.size());
    ScratchVector<SweptBox> byLeft(count);
    for (int index = 0; index < count; ++index) {
        byLeft[index] = {BoxOf(chords[index]).Grown(reach / 2), index};
    }
    std::sort(byLeft.begin(), byLeft.end(),
              [](const SweptBox& x, const SweptBox& y) { return x.box.minX < y.box.minX; });
    for (int position = 0; position < count; ++position) {
        const Box& box = byLeft[position].box;
        for (int later = position + 1; later < count && byLeft[later].box.minX <= box.maxX; ++later) {
            const Box& other = byLeft[later].box;
            if (other.minY <= box.maxY && box.minY <= other.maxY) {
                const int a = byLeft[position].index, b = byLeft[later].index;
                visit(std::min(a, b), std::max(a, b));
            }
        }
    }
}

// Calls visit(a, b), a < b, once for every pair of chords that come within `reach` of each other,
// and maybe for some farther apart: the sweep passes on every pair whose boxes do.
template <typename Chords, typename Visit>
void ForEachNearPair(const Chords& chords, double reach, Visit&& visit) {
    const int count = static_cast<int>(chords.size());
    if (count <= kMaxChordsForSweep) {
        ForEachPairBySweep(chords, reach, visit);
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
