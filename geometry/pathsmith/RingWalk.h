// Dividing a vertex sequence at its crossings into rings: at a crossing vertex the walk goes on after
// its partner (the vertex at the same point on the other passage), so each passage through a crossing
// is taken once and the sequence falls apart into loops.
#pragma once

#include <vector>

#include "SDPoint.h"
#include "SegmentGeometry.h"

namespace pathsmith {

struct WalkVertex {
    SDPoint point;
    int partner = -1;  // index in the sequence of the vertex at the same crossing, -1 for none
};

// The rings of the sequence, each a vertex list; a ring that closes ends with its first vertex again.
// A closed sequence wraps from its last vertex to its first; an open one gives the walk from its first
// vertex, which ends at the last, as one open ring.
std::vector<std::vector<SDPoint>> WalkRings(const std::vector<WalkVertex>& sequence, bool closed);

// A contour's vertex sequence with a partnered vertex inserted at every point where two of its
// segments cross strictly. A closed contour leaves out its closing vertex (the sequence wraps).
std::vector<WalkVertex> SequenceWithCrossings(const std::vector<Chord>& contour, bool closed);

}  // namespace pathsmith
