// DXF splines as segments: non-rational splines of degree 3 or less become one cubic Bezier per knot
// span, exactly; rational splines and higher degrees are flattened into chords; a spline given only by
// fit points passes through them on smooth cubic pieces.
#pragma once

#include <vector>

#include "FileLine.h"

namespace filebridge {

struct SplineInput {
    int degree = 3;
    bool closed = false;
    std::vector<double> knots;
    std::vector<SDPoint> controls;
    std::vector<double> weights;  // one per control point, or empty
    std::vector<SDPoint> fits;
};

// Appends the spline; false when its knots, weights or degree do not fit together, or when it would take
// more than `maxSegments` segments (what was appended is then to be dropped).
bool AppendSpline(const SplineInput& spline, std::vector<CFileLine>& segments, std::size_t maxSegments);

}  // namespace filebridge
