// Smoothing by greedy Bezier fitting: the contour's points are split at corners and each span between
// corners is covered by as few Beziers as stay within a distance that follows the strength.
#pragma once

#include <vector>

#include "Geomcore.h"

namespace geomcore {

// Appends the fitted records to `result`; every record carries the attribute, mark and joint fields
// of the last source record.
void GreedyBezierFit(const std::vector<CFileLine>& records, double strength, FileLineList& result);

}  // namespace geomcore
