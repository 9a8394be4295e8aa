// Outlines the cut-order tests share: circles as the ellipse tool makes them and an L with a notch.
#pragma once

#include <memory>

#include "ElementBuilders.h"

// A circle of four Bezier segments, as the ellipse tool makes it.
inline std::unique_ptr<CCadCurve> MakeCircle(double cx, double cy, double radius) {
    return CCadCurve::MakeEllipse(cx - radius, cy - radius, cx + radius, cy + radius);
}

// An L: the square (0, 0)-(10, 10) without its upper right quarter.
inline std::unique_ptr<CCadCurve> MakeL() {
    return MakeCurve({{0, 0}, {10, 0}, {10, 5}, {5, 5}, {5, 10}, {0, 10}}, true);
}
