// Ellipses as four Beziers and arcs as chains of lines.
#include <algorithm>
#include <cmath>

#include "Geomcore.h"
#include "PointMath.h"
#include "SegmentListOps.h"

using namespace geomcore;

namespace {

// Half of the circle constant 0.5522847498, applied to the full width and height of the box.
constexpr double kHalfCircleHandle = 0.2761423749154;
constexpr double kRadiansPerDegree = 0.017453292519943295;
// More lines than this for one arc means the arguments are nonsense.
constexpr double kMaxArcLines = 1e6;

SDPoint PointOnArc(double cx, double cy, double radius, double degrees) {
    const double radians = degrees * kRadiansPerDegree;
    return {cx + radius * std::cos(radians), cy + radius * std::sin(radians)};
}

// The angle step (radians, used as a plain number against the degree span) whose chord stays within
// the tolerance of the arc.
double ChordStep(double radius, double toleranceMm) {
    const double h = radius > 0.0 ? std::clamp(1.0 - toleranceMm / radius, -1.0, 1.0) : -1.0;
    return 2.0 * std::acos(h);
}

}  // namespace

GeomStatus _math_elli2bezier(double x1, double y1, double x2, double y2, SDPoint* points) {
    if (points == nullptr) {
        return 1;
    }
    const double cx = (x1 + x2) / 2.0;
    const double cy = (y1 + y2) / 2.0;
    const double kx = std::fabs(x2 - x1) * kHalfCircleHandle;
    const double ky = std::fabs(y2 - y1) * kHalfCircleHandle;
    const SDPoint ellipse[13] = {
        {x1, cy},      {x1, cy + ky}, {cx - kx, y2}, {cx, y2},      {cx + kx, y2}, {x2, cy + ky}, {x2, cy},
        {x2, cy - ky}, {cx + kx, y1}, {cx, y1},      {cx - kx, y1}, {x1, cy - ky}, {x1, cy},
    };
    std::copy(std::begin(ellipse), std::end(ellipse), points);
    return 0;
}

// The points are start + i * span / pieces, the last one on the end angle exactly, so rounding never
// drops the final line.
GeomStatus _math_c_arc2line(FileLineList* list, double cx, double cy, double radius, double startDegrees,
                            double endDegrees, double toleranceMm) {
    if (list == nullptr || !(toleranceMm > 0.0) || !(radius >= 0.0)) {
        return 1;
    }
    for (double value : {cx, cy, radius, startDegrees, endDegrees}) {
        if (!std::isfinite(value)) {
            return 1;
        }
    }
    const double span = endDegrees - startDegrees;
    if (span == 0.0) {
        return 0;
    }
    const double step = ChordStep(radius, toleranceMm);
    const double pieces = step > std::fabs(span) ? 1.0 : std::round(std::fabs(span) / step);
    if (pieces > kMaxArcLines) {
        return 1;
    }
    const int lineCount = static_cast<int>(pieces);
    CFileLine line;
    line.end = PointOnArc(cx, cy, radius, startDegrees);
    for (int i = 1; i <= lineCount; ++i) {
        const double degrees = i == lineCount ? endDegrees : startDegrees + i * (span / pieces);
        line.start = line.end;
        line.end = PointOnArc(cx, cy, radius, degrees);
        AppendRecord(*list, line);
    }
    return 0;
}
