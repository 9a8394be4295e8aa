// Curves turned into chains of points for the pixel backend: elliptic arcs and cubic Bezier pieces,
// in device pixels with fractions. Chords stay within a quarter pixel of the curve, with a cap on the
// number of points so that a curve far larger than the surface stays affordable.
#pragma once

#include "GdiTypes.h"

#include <span>
#include <vector>

namespace platform {

struct PointF {
    double x = 0.0;
    double y = 0.0;
};

// Points of the arc of the ellipse about (centreX, centreY) with radii (radiusX, radiusY), from
// `startDegrees` over `sweepDegrees`, counterclockwise on the screen (y down) for a positive sweep.
// Both ends included.
std::vector<PointF> FlattenEllipseArc(double centreX, double centreY, double radiusX, double radiusY,
                                      double startDegrees, double sweepDegrees);

// Points of the cubic pieces through 3n + 1 control points, starting with the first point and ending
// with the last.
std::vector<PointF> FlattenBeziers(std::span<const Point> points);

// The point rounded to the nearest pixel, clamped to the 32-bit range.
Point RoundToPixel(const PointF& point);

}  // namespace platform
