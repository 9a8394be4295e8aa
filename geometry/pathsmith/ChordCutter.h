// Cuts a chain of chords wherever two of them meet: at a crossing strictly inside both, or where an
// end of one touches the inside of another. Every near pair is tested once, on the chords as given,
// so the work is bounded by the near pairs plus the cuts found and the memory by the chords plus the
// cuts, however densely the chain runs into itself.
#pragma once

#include <vector>

#include "SegmentGeometry.h"

namespace pathsmith {

struct CutPiece {
    Chord chord;
    int source;  // the chord it was cut from
};

// The pieces in chain order: each chord's pieces from its start to its end. Neighbours in the chain
// share an end and are not tested against each other.
std::vector<CutPiece> CutWhereChordsMeet(const std::vector<Chord>& chain);

}  // namespace pathsmith
