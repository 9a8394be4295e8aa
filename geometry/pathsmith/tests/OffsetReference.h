// Reference checks for offsets: the band between the round and the mitred offset of the same contour,
// computed with Clipper, and the clearance of a cut path from the part it runs around.
#pragma once

#include <clipper.hpp>

#include <algorithm>
#include <cmath>
#include <vector>

#include "ContourTestKit.h"

namespace pathsmith::testing {

// Clipper works on integers: coordinates in units of 0.1 micrometre.
inline constexpr double kClipperScale = 10000.0;

inline ClipperLib::Path ClipperPath(const Points& polygon) {
    ClipperLib::Path path;
    path.reserve(polygon.size());
    for (const SDPoint& p : polygon) {
        path.push_back({static_cast<ClipperLib::cInt>(std::llround(p.x * kClipperScale)),
                        static_cast<ClipperLib::cInt>(std::llround(p.y * kClipperScale))});
    }
    return path;
}

inline double AreaMm2(const ClipperLib::Paths& paths) {
    double area = 0.0;
    for (const ClipperLib::Path& path : paths) {
        area += ClipperLib::Area(path);
    }
    return area / (kClipperScale * kClipperScale);
}

// The contour grown (outward) or shrunk (inward) by the distance with round or mitred corners.
inline ClipperLib::Paths ClipperOffset(const Points& polygon, double distance, bool inward, bool round) {
    ClipperLib::ClipperOffset offset(4.0, 0.001 * kClipperScale);
    offset.AddPath(ClipperPath(polygon), round ? ClipperLib::jtRound : ClipperLib::jtMiter,
                   ClipperLib::etClosedPolygon);
    ClipperLib::Paths solution;
    offset.Execute(solution, (inward ? -distance : distance) * kClipperScale);
    return solution;
}

inline ClipperLib::Paths Combine(const ClipperLib::Paths& a, const ClipperLib::Paths& b,
                                 ClipperLib::ClipType type, ClipperLib::PolyFillType subjectFill) {
    ClipperLib::Clipper clipper;
    clipper.AddPaths(a, ClipperLib::ptSubject, true);
    clipper.AddPaths(b, ClipperLib::ptClip, true);
    ClipperLib::Paths solution;
    clipper.Execute(type, solution, subjectFill, ClipperLib::pftNonZero);
    return solution;
}

// The area (mm²) of the offset's rings that lies outside the band between the round and the mitred
// offset, plus the area of that band's inner edge that the rings leave out. Rings are filled even-odd,
// so a hole ring counts whatever its direction.
inline double AreaOutsideBand(const std::vector<Points>& rings, const Points& contour, double distance,
                              bool inward) {
    const ClipperLib::Paths round = ClipperOffset(contour, distance, inward, true);
    const ClipperLib::Paths mitred = ClipperOffset(contour, distance, inward, false);
    const ClipperLib::Paths outer = Combine(round, mitred, ClipperLib::ctUnion, ClipperLib::pftNonZero);
    const ClipperLib::Paths inner = Combine(round, mitred, ClipperLib::ctIntersection, ClipperLib::pftNonZero);
    ClipperLib::Paths result;
    for (const Points& ring : rings) {
        result.push_back(ClipperPath(ring));
    }
    const ClipperLib::Paths beyond = Combine(result, outer, ClipperLib::ctDifference, ClipperLib::pftEvenOdd);
    const ClipperLib::Paths short_ = Combine(inner, result, ClipperLib::ctDifference, ClipperLib::pftNonZero);
    return std::fabs(AreaMm2(beyond)) + std::fabs(AreaMm2(short_));
}

inline double Perimeter(const Points& polygon) {
    double length = 0.0;
    for (std::size_t index = 0; index < polygon.size(); ++index) {
        const SDPoint a = polygon[index], b = polygon[(index + 1) % polygon.size()];
        length += std::hypot(b.x - a.x, b.y - a.y);
    }
    return length;
}

inline bool SegmentsCross(SDPoint a, SDPoint b, SDPoint c, SDPoint d) {
    auto side = [](SDPoint p, SDPoint q, SDPoint r) { return (q.x - p.x) * (r.y - p.y) - (q.y - p.y) * (r.x - p.x); };
    const double d1 = side(c, d, a), d2 = side(c, d, b), d3 = side(a, b, c), d4 = side(a, b, d);
    return ((d1 > 0) != (d2 > 0)) && ((d3 > 0) != (d4 > 0)) && d1 != 0 && d2 != 0 && d3 != 0 && d4 != 0;
}

inline double SegmentToSegment(SDPoint a, SDPoint b, SDPoint c, SDPoint d) {
    if (SegmentsCross(a, b, c, d)) {
        return 0.0;
    }
    return std::min({PointToSegment(a, c, d), PointToSegment(b, c, d), PointToSegment(c, a, b),
                     PointToSegment(d, a, b)});
}

// The smallest distance between any point of the rings' edges and the closed contour: a cut path
// must keep the distance everywhere along its edges, not only at its vertices.
inline double Clearance(const std::vector<Points>& rings, const Points& contour) {
    double nearest = INFINITY;
    for (const Points& ring : rings) {
        for (std::size_t index = 0; index + 1 < ring.size(); ++index) {
            for (std::size_t edge = 0; edge < contour.size(); ++edge) {
                nearest = std::min(nearest, SegmentToSegment(ring[index], ring[index + 1], contour[edge],
                                                             contour[(edge + 1) % contour.size()]));
            }
        }
    }
    return nearest;
}

}  // namespace pathsmith::testing
