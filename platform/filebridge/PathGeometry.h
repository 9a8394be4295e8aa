// Geometry shared by the readers and writers: affine maps, arcs as cubic Beziers, and the flattening
// of a Bezier into chords.
#pragma once

#include <functional>
#include <vector>

#include "FileLine.h"

namespace filebridge {

// (x, y) -> (xx * x + xy * y + dx, yx * x + yy * y + dy).
struct Affine {
    double xx = 1.0, xy = 0.0, yx = 0.0, yy = 1.0, dx = 0.0, dy = 0.0;

    SDPoint Apply(SDPoint p) const { return {xx * p.x + xy * p.y + dx, yx * p.x + yy * p.y + dy}; }
    // This map after `inner`: After(inner).Apply(p) == Apply(inner.Apply(p)).
    Affine After(const Affine& inner) const;
    static Affine Translation(double x, double y) { return {1.0, 0.0, 0.0, 1.0, x, y}; }
    static Affine Scaling(double sx, double sy) { return {sx, 0.0, 0.0, sy, 0.0, 0.0}; }
    static Affine Rotation(double radians);
};

// Every point and control point of the segments mapped.
void TransformSegments(std::vector<CFileLine>& segments, const Affine& map);

// The elliptical arc centre + cos(t) * major + sin(t) * minor for t from `from` to `to` (radians; `to`
// below `from` runs clockwise), appended as cubic Beziers of at most 45 degrees of parameter each, which
// stay within 5e-6 of the radius. A sweep beyond a full turn draws one turn; a parameter that is not
// finite draws nothing.
void AppendEllipticArc(std::vector<CFileLine>& segments, SDPoint centre, SDPoint major, SDPoint minor,
                       double from, double to);

// The arc from `from` to `to` whose included angle is 4 * atan(bulge), positive counter-clockwise; a
// straight line for a bulge of 0.
void AppendBulge(std::vector<CFileLine>& segments, SDPoint from, SDPoint to, double bulge);

void AppendLine(std::vector<CFileLine>& segments, SDPoint from, SDPoint to);

// Calls `chord` with the end point of each chord of the Bezier, so that no point of the curve lies
// further than `tolerance` from the chords.
void FlattenBezier(const CFileLine& bezier, double tolerance, const std::function<void(SDPoint)>& chord);

}  // namespace filebridge
