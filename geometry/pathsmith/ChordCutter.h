// Cuts a chain of chords wherever two of them meet: at a crossing strictly inside both, or where an
// end of one touches the inside of another. Every near pair is tested once, on the chords as given,
// so the work is bounded by the near pairs plus the cuts found and the memory by the chords plus the
// cuts, however densely the chain runs into itself.
#pragma once

#include <vector>

#include "ScratchAllocator.h"
#include "SegmentGeometry.h"

namespace pathsmith {

// The pieces in chain order, each chord's from its start to its end, with the chord each was cut from.
struct CutChain {
    ScratchVector<Chord> pieces;
    ScratchVector<int> sources;
    // No cut was made, so the pieces are the chords as given, and no two chords start within
    // kCoincidence of each other in x and in y.
    bool runsClear = false;
};

// Neighbours in the chain share an end and are not tested against each other.
CutChain CutWhereChordsMeet(const ScratchVector<Chord>& chain);

}  // namespace pathsmith
