// Assembles the pieces of an offset that survive the band filter into rings by following each piece
// to the one that starts exactly where it ends. The pieces come from one continuous chain cut at its
// meetings, so every junction is one exact point shared by the pieces that meet there; two pieces
// that cross within kCoincidence of both their ends are not cut, and a walk goes on across such a
// near junction.
#pragma once

#include <span>
#include <vector>

#include "ScratchAllocator.h"
#include "SegmentGeometry.h"

namespace pathsmith {

// What the band filter made of a piece.
enum PieceFate : char {
    kPieceDropped = 0,
    kPieceKept = 1,
    kPieceBarelyInBand = 2,  // within the chords' error of the band's edge: the windings decide
};

struct WalkedRing {
    ScratchVector<SDPoint> vertices;  // the start of every piece walked and the end of the last
    bool closed = false;              // the walk came back to its first vertex
};

// pieces: the cut chain in order; kept: the PieceFate of each; turnLeft: the chain was offset to the
// left of its travel, so the band lies to its right.
std::vector<WalkedRing> WalkRings(std::span<const Chord> pieces, std::span<const char> kept, bool turnLeft);

}  // namespace pathsmith
