// Smoothing by corners: the contour is cut at its sharp vertices and every run between them is
// fitted with a spline, then walked into short lines of equal chord.
#pragma once

#include <vector>

#include "Geomcore.h"

namespace geomcore {

// Appends the smoothed form of the records (at least one) to `result`. Strength 0..1 sets the corner
// threshold: vertices of at least 160 - 60 * strength degrees are smooth.
void CornerSplitFit(const std::vector<CFileLine>& records, double strength, FileLineList& result);

}  // namespace geomcore
