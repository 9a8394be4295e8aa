// Makes an offset ring of a closed contour ready to cut: out-and-back spikes taken out, the seam
// closed on the first vertex exactly, and rings too thin to be a real cut dropped, since each ring
// becomes a laser pass of its own.
#pragma once

#include <vector>

#include "ScratchAllocator.h"
#include "SegmentGeometry.h"

namespace pathsmith {

// A ring whose area is below this times its perimeter (mm) is thinner than the output's precision
// along its whole length: a sliver or a zero-area out-and-back loop, not a cut.
inline constexpr double kRingAreaPerLength = 0.001;
// Ends of a ring this close are its seam; the offset's arcs are this far from the true circle anyway.
inline constexpr double kSeamTolerance = kArcChordError;

// The ring closed on its first vertex (the last vertex repeats it exactly) without spikes, or an empty
// sequence when nothing worth cutting is left. A sequence whose ends are farther apart than
// kSeamTolerance is no ring at all but the stub of a junction misjudged within the chords' error; it
// is dropped too, since an open path around a closed part cuts nothing off.
ScratchVector<SDPoint> FinishedClosedRing(ScratchVector<SDPoint> ring);

}  // namespace pathsmith
