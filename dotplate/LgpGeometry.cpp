#include "LgpGeometry.h"

#include <algorithm>
#include <cmath>

namespace dotplate {

namespace {

bool SamePoint(SDPoint a, SDPoint b, double tolerance) {
    return std::max(std::fabs(a.x - b.x), std::fabs(a.y - b.y)) <= tolerance;
}

}  // namespace

LgpBox LgpBox::FromCorners(SDPoint a, SDPoint b) {
    LgpBox box{a.x, a.y, b.x, b.y};
    box.Normalise();
    return box;
}

LgpBox LgpBox::FromCornerAndSize(double x, double y, double w, double h, bool asSize) {
    return asSize ? FromCorners({x, y}, {x + w, y + h}) : FromCorners({x, y}, {w, h});
}

void LgpBox::Normalise() {
    if (left > right) {
        std::swap(left, right);
    }
    if (bottom > top) {
        std::swap(bottom, top);
    }
}

void LgpBox::Unite(SDPoint a, SDPoint b) {
    const LgpBox other = FromCorners(a, b);
    left = std::min(left, other.left);
    bottom = std::min(bottom, other.bottom);
    right = std::max(right, other.right);
    top = std::max(top, other.top);
}

bool LgpBox::IsWithin(const LgpBox& outer, double tolerance) const {
    return left >= outer.left - tolerance && right <= outer.right + tolerance && bottom >= outer.bottom - tolerance &&
           top <= outer.top + tolerance;
}

double PointDistance(SDPoint a, SDPoint b) { return std::hypot(a.x - b.x, a.y - b.y); }

double VertexAngle(SDPoint a, SDPoint b, SDPoint c) {
    constexpr double kCoincide = 0.001;
    const bool aOnC = std::fabs(a.x - c.x) < kCoincide && std::fabs(a.y - c.y) < kCoincide;
    const bool bOnC = std::fabs(b.x - c.x) < kCoincide && std::fabs(b.y - c.y) < kCoincide;
    if (aOnC || bOnC) {
        return 0.0;
    }
    const double ca = PointDistance(c, a), cb = PointDistance(c, b), ab = PointDistance(a, b);
    double cosine = (ca * ca + cb * cb - ab * ab) / (2.0 * ca * cb);
    if (cosine > 1.0 || std::isnan(cosine)) {
        return 0.0;
    }
    cosine = std::max(cosine, -1.0);
    const double cross = (a.y - c.y) * (b.x - c.x) - (b.y - c.y) * (a.x - c.x);
    return (cross >= 0 ? -1.0 : 1.0) * std::acos(cosine);
}

int MatchEnds(const CFileLine& a, const CFileLine& b, double tolerance) {
    if (SamePoint(a.start, b.start, tolerance)) {
        return 1;
    }
    if (SamePoint(a.start, b.end, tolerance)) {
        return 2;
    }
    if (SamePoint(a.end, b.start, tolerance)) {
        return 3;
    }
    return SamePoint(a.end, b.end, tolerance) ? 4 : 0;
}

}  // namespace dotplate
