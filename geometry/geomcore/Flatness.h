// How finely a Bezier record is sampled: the flatness rule shared by extents, circle recognition and
// both smoothing methods.
#pragma once

#include <vector>

#include "FileLine.h"

namespace geomcore {

// Threshold of the extent rule: 0.002 less a few units in the last place.
inline constexpr double kExtentFlatness = 0.0019999999999999983;
// Threshold of circle recognition and smoothing.
inline constexpr double kFitFlatness = 0.005599999999999997;

// The smallest n >= 2 for which both end pieces of the Bezier are flat: the point at t = 1/(2n) lies
// less than `threshold` from the midpoint of the points at 0 and 1/n, and the point at 1 - 1/(2n) as
// close to the midpoint of the points at 1 - 1/n and 1. The search stops at a fixed ceiling, so a
// record with non-finite or astronomically large coordinates is sampled coarsely instead of forever.
int FlatStepCount(const CFileLine& bezier, double threshold);

// Appends the curve points at t = 1/n, 2/n, ... (adding 1/n each time) while t < 1, with n from
// FlatStepCount; the end points are not included.
void AppendInteriorSamples(const CFileLine& bezier, double threshold, std::vector<SDPoint>& points);

}  // namespace geomcore
