// The compass arithmetic of the SHX decoders: bearings measured clockwise from +y, and turning a point
// about a centre.
#pragma once

namespace letterforge {

// The bearing of (x1, y1) seen from (x0, y0), radians clockwise from +y. Offsets below 0.001 count as
// zero, so a point that close to the vertical or horizontal line through (x0, y0) lies on it.
double BearingOfPoint(double x0, double y0, double x1, double y1);

// Turns (x, y) about (cx, cy) anticlockwise by angle radians, through its bearing and distance.
void RotatePoint(double cx, double cy, double& x, double& y, double angle);

}  // namespace letterforge
