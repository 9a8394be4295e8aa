// Small geometric helpers of the designer: boxes with y upward, distances, the signed angle that a
// segment subtends at a point, and the matching of segment ends.
#pragma once

#include "FileLine.h"
#include "SDPoint.h"

namespace dotplate {

// A box in mm with y upward: left ≤ right and bottom ≤ top once normalised.
struct LgpBox {
    double left = 0.0;
    double bottom = 0.0;
    double right = 100.0;
    double top = 100.0;

    // The box of two corners in either order.
    static LgpBox FromCorners(SDPoint a, SDPoint b);
    // (x, y) with (w, h): the size is added to the corner when asSize is set, else (w, h) is the
    // opposite corner.
    static LgpBox FromCornerAndSize(double x, double y, double w, double h, bool asSize);

    void Normalise();
    // Grows the box to take in the rectangle of two corners.
    void Unite(SDPoint a, SDPoint b);
    void Unite(const LgpBox& other) { Unite({other.left, other.bottom}, {other.right, other.top}); }
    bool IsWithin(const LgpBox& outer, double tolerance) const;
    double Width() const { return right - left; }
    double Height() const { return top - bottom; }
};

double PointDistance(SDPoint a, SDPoint b);

// The angle at c between the rays to a and b, in radians, negative when a lies clockwise of b as
// seen from c; 0 when a or b coincides with c within 0.001.
double VertexAngle(SDPoint a, SDPoint b, SDPoint c);

// How two segments meet within the tolerance (the larger of |dx| and |dy|): 1 both starts, 2 the
// start of a on the end of b, 3 the end of a on the start of b, 4 both ends, 0 none; tested in
// that order.
int MatchEnds(const CFileLine& a, const CFileLine& b, double tolerance);

}  // namespace dotplate
