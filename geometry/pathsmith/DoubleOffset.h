// The double offset: the outlines at a distance on both sides of one contour, with sharp (mitred)
// corners. A closed contour gives its inner and outer outlines, an open one the closed outline of a
// stroke of twice the distance around it.
#pragma once

#include <vector>

#include "SegmentGeometry.h"

namespace pathsmith {

// The outlines as vertex lists, each ending with its first vertex again: for a closed contour the
// inner rings, then the outer ones; for an open contour one outline around it. The chords must be
// longer than kCoincidence.
std::vector<std::vector<SDPoint>> DoubleOffsetOutlines(const std::vector<Chord>& contour, double distance);

}  // namespace pathsmith
