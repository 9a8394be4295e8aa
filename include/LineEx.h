// CLineEx: one segment of a curve of the curve libraries: a straight line, a cubic Bezier or an
// elliptical arc, in millimetres. A plain value type copied by value.
#pragma once

#include <cstdint>

#include "DbList.h"
#include "RectEx.h"
#include "SDPoint.h"

namespace platform {
class Archive;
}

class CLineEx {
  public:
    // Segment types. The two bridge marks are straight lines everywhere except in CMyCurve::Draw.
    //   type       p0      p1                p2                  p3
    //   0, 1, 2    start   end               -                   -
    //   3          start   end               control of start    control of end
    //   4          centre  (x, y radius)     (start, end angle)  copy of p2     (angles in degrees)
    // Any other type is carried and stored, and every geometric operation leaves it alone.
    static constexpr std::uint16_t kLine = 0;
    static constexpr std::uint16_t kBridgeGap = 1;     // bridge piece drawn as a gap
    static constexpr std::uint16_t kBridgeMarked = 2;  // bridge piece drawn in the alternate colour
    static constexpr std::uint16_t kBezier = 3;
    static constexpr std::uint16_t kArc = 4;

    // Flattening refuses tolerances from this value up: its flatness threshold would not be positive.
    static constexpr double kFlatteningToleranceLimit = 0.02 / 0.018;
    // A flattened Bezier never has more pieces than this, whatever its size.
    static constexpr int kMaxFlatteningSegments = 4096;

    std::uint16_t type = kLine;
    SDPoint p0;
    SDPoint p1;
    SDPoint p2;
    SDPoint p3;

    CLineEx() = default;
    CLineEx(double x1, double y1, double x2, double y2);
    CLineEx(SDPoint start, SDPoint end);
    CLineEx(SDPoint start, SDPoint end, SDPoint control1, SDPoint control2);
    CLineEx(SDPoint centre, double radius, double startAngle, double endAngle);
    CLineEx(SDPoint centre, double radiusX, double radiusY, double startAngle, double endAngle);

    bool IsStraight() const { return type <= kBridgeMarked; }
    bool HasFiniteCoordinates() const;

    void Move(double dx, double dy);
    // angle in degrees
    void Rotate(double cx, double cy, double angle);
    // Straight segments shorter than 0.001; the tolerance is not used.
    int IsPoint(double tol) const;
    // t is clamped to [0, 1].
    SDPoint GetLinePoint(double t) const;
    // Splits at t (clamped); a straight segment gives two type-0 lines.
    void InsertPoint(double t, CLineEx& first, CLineEx& second) const;
    // Straight segments only; 0 for the others.
    double GetLength() const;
    void InvertDir();
    // Appends a line approximation of the segment to out: a straight segment as it is, a Bezier as
    // type-0 lines, nothing for an arc. Returns 0 and appends nothing when the segment has a
    // non-finite coordinate or tol is not below kFlatteningToleranceLimit; otherwise 1.
    int OptLine(CDbList<CLineEx>* out, double tol) const;
    // Sampled bounding box; control points do not enter it directly.
    CRectEx CalRect() const;
    // 1 when p lies within tol of the segment, with the hit parameter in t; the curves pass t0 = 0, t1 = 1.
    int HitTest(SDPoint p, double tol, double& t, double t0, double t1) const;

    // 66 bytes: type, then p0..p3 as x, y doubles. Loading a non-finite coordinate throws
    // platform::ArchiveError and leaves the segment unchanged.
    void Serialize(platform::Archive& ar);
};
