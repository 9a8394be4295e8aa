// Outlines the cut-order tests share: circles as the ellipse tool makes them and an L with a notch.
#pragma once

#include <memory>

#include "ElementBuilders.h"
#include "Geomcore.h"

// A circle of four Bezier segments, as the ellipse tool makes it.
inline std::unique_ptr<CCadCurve> MakeCircle(double cx, double cy, double radius) {
    SDPoint points[13];
    _math_elli2bezier(cx - radius, cy - radius, cx + radius, cy + radius, points);
    auto curve = std::make_unique<CCadCurve>();
    for (int index = 0; index < 4; ++index) {
        CFileLine segment;
        segment.type = CFileLine::kBezier;
        segment.start = points[3 * index];
        segment.ctrl1 = points[3 * index + 1];
        segment.ctrl2 = points[3 * index + 2];
        segment.end = points[3 * index + 3];
        curve->pathList.AddTail(segment);
    }
    curve->closed = 1;
    curve->CalRect();
    return curve;
}

// An L: the square (0, 0)-(10, 10) without its upper right quarter.
inline std::unique_ptr<CCadCurve> MakeL() {
    return MakeCurve({{0, 0}, {10, 0}, {10, 5}, {5, 5}, {5, 10}, {0, 10}}, true);
}
