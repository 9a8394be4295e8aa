// Overlapping segments of two contours: the test, and the removal of segments that run along a
// segment of the other contour within a tolerance.
#pragma once

#include "DbList.h"
#include "LineEx.h"
#include "SegmentGeometry.h"

namespace pathsmith {

// True when some segment of one contour has an end within tolerance of a segment of the other.
bool ContoursOverlap(const std::vector<Chord>& first, const std::vector<Chord>& second, double tolerance);

// Deletes from the second list every segment lying along a segment of the first, deletes from the first
// every segment lying along a segment of the second, and trims the part of a partly overlapping
// segment of the second list that runs along the first; a trimmed segment keeps its direction.
void RemoveOverlaps(CDbList<CLineEx>& first, CDbList<CLineEx>& second, double tolerance);

// True when an edge of one contour's vertex ring crosses an edge of the other's strictly.
bool ContoursCross(const std::vector<Chord>& first, const std::vector<Chord>& second);

}  // namespace pathsmith
