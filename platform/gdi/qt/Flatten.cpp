// Flattening of arcs and Bezier pieces.
#include "Flatten.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace platform {
namespace {

constexpr double kTolerancePixels = 0.25;
constexpr int kMaxArcSegments = 65536;
constexpr int kMaxBezierDepth = 12;

int ArcSegmentCount(double radius, double sweepRadians) {
    const double cosine = std::clamp(1.0 - kTolerancePixels / std::max(radius, kTolerancePixels), -1.0, 1.0);
    const double stepRadians = std::max(2.0 * std::acos(cosine), 1e-9);
    const double segments = std::ceil(std::abs(sweepRadians) / stepRadians);
    if (!std::isfinite(segments)) {
        return 1;
    }
    return static_cast<int>(std::clamp(segments, 1.0, static_cast<double>(kMaxArcSegments)));
}

PointF Midpoint(const PointF& a, const PointF& b) {
    return {(a.x + b.x) / 2.0, (a.y + b.y) / 2.0};
}

// Whether `point` lies within the tolerance of the line through `start` and `end` (of `start` when they
// coincide). Far from the tolerance the squared distance decides without a square root; near it the
// distance itself does, so every decision is the one the distance gives.
bool NearChord(const PointF& point, const PointF& start, const PointF& end) {
    constexpr double kToleranceSquared = kTolerancePixels * kTolerancePixels;
    constexpr double kUndecided = 1e-9;
    const double dx = end.x - start.x;
    const double dy = end.y - start.y;
    if (dx == 0.0 && dy == 0.0) {
        return std::hypot(point.x - start.x, point.y - start.y) <= kTolerancePixels;
    }
    const double cross = (point.x - start.x) * dy - (point.y - start.y) * dx;
    const double crossSquared = cross * cross;
    const double limitSquared = kToleranceSquared * (dx * dx + dy * dy);
    if (crossSquared < limitSquared * (1.0 - kUndecided)) {
        return true;
    }
    if (crossSquared > limitSquared * (1.0 + kUndecided)) {
        return false;
    }
    return std::abs(cross) / std::hypot(dx, dy) <= kTolerancePixels;
}

// Appends the piece's points after p0, halving it until both control points lie near the chord.
void AppendBezierPiece(const PointF& p0, const PointF& p1, const PointF& p2, const PointF& p3, int depth,
                       std::vector<PointF>& out) {
    if (depth >= kMaxBezierDepth || (NearChord(p1, p0, p3) && NearChord(p2, p0, p3))) {
        out.push_back(p3);
        return;
    }
    const PointF p01 = Midpoint(p0, p1);
    const PointF p12 = Midpoint(p1, p2);
    const PointF p23 = Midpoint(p2, p3);
    const PointF p012 = Midpoint(p01, p12);
    const PointF p123 = Midpoint(p12, p23);
    const PointF middle = Midpoint(p012, p123);
    AppendBezierPiece(p0, p01, p012, middle, depth + 1, out);
    AppendBezierPiece(middle, p123, p23, p3, depth + 1, out);
}

PointF ToPointF(const Point& point) {
    return {static_cast<double>(point.x), static_cast<double>(point.y)};
}

}  // namespace

std::vector<PointF> FlattenEllipseArc(double centreX, double centreY, double radiusX, double radiusY,
                                      double startDegrees, double sweepDegrees) {
    const double startRadians = startDegrees * std::numbers::pi / 180.0;
    const double sweepRadians = sweepDegrees * std::numbers::pi / 180.0;
    const int segments = ArcSegmentCount(std::max(radiusX, radiusY), sweepRadians);
    std::vector<PointF> points;
    points.reserve(static_cast<std::size_t>(segments) + 1);
    for (int index = 0; index <= segments; ++index) {
        const double angle = startRadians + sweepRadians * index / segments;
        points.push_back({centreX + radiusX * std::cos(angle), centreY - radiusY * std::sin(angle)});
    }
    return points;
}

std::vector<PointF> FlattenBeziers(std::span<const Point> points) {
    std::vector<PointF> out;
    if (points.empty()) {
        return out;
    }
    out.push_back(ToPointF(points[0]));
    for (std::size_t start = 0; start + 3 < points.size(); start += 3) {
        AppendBezierPiece(ToPointF(points[start]), ToPointF(points[start + 1]), ToPointF(points[start + 2]),
                          ToPointF(points[start + 3]), 0, out);
    }
    return out;
}

Point RoundToPixel(const PointF& point) {
    const auto clampRound = [](double value) {
        constexpr double kLowest = std::numeric_limits<std::int32_t>::min();
        constexpr double kHighest = std::numeric_limits<std::int32_t>::max();
        if (std::isnan(value)) {
            return std::int32_t{0};
        }
        return static_cast<std::int32_t>(std::clamp(std::round(value), kLowest, kHighest));
    };
    return {clampRound(point.x), clampRound(point.y)};
}

}  // namespace platform
