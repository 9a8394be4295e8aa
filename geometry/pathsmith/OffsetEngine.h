// The offset engine: the contour or contours that run at a fixed distance beside one contour, on its
// inner or outer side, with round joins around outer corners (right angles and nearly straight turns
// stay sharp), the pieces that come too close to the contour dropped, and the rest divided into rings.
#pragma once

#include <span>
#include <vector>

#include "ScratchAllocator.h"
#include "SegmentGeometry.h"

namespace pathsmith {

// Which side of a contour an offset runs on.
enum OffsetSide : int {
    kOffsetOutward = 0,  // a closed contour grows
    kOffsetInward = 1,   // a closed contour shrinks
};

// True when the segments of a contour with the given turning direction are offset to their left.
bool OffsetsToTheLeft(int side, int direction);

// The raw offset line of every chord: both ends moved by the distance along the same normal.
template <typename Lines = std::vector<Chord>>
Lines RawOffsetLines(std::span<const Chord> contour, double distance, bool toTheLeft) {
    Lines lines;
    lines.reserve(contour.size());
    for (const Chord& chord : contour) {
        lines.push_back(OffsetChord(chord, distance, toTheLeft));
    }
    return lines;
}

// Offsets the contour, whose chords are longer than kCoincidence. Returns the rings in the order they
// were divided, each as a vertex sequence without repeated vertices (a ring that closes ends with its
// first vertex again); no ring when nothing of the offset remains.
std::vector<ScratchVector<SDPoint>> OffsetContour(std::span<const Chord> contour, double distance, int side);

}  // namespace pathsmith
