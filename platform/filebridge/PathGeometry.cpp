#include "PathGeometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace filebridge {

namespace {

constexpr double kMaxArcStep = std::numbers::pi / 4.0;
constexpr double kFullTurn = 2.0 * std::numbers::pi;
constexpr int kMaxFlattenDepth = 16;

SDPoint Mid(SDPoint a, SDPoint b) { return {(a.x + b.x) * 0.5, (a.y + b.y) * 0.5}; }

double DistanceToLine(SDPoint p, SDPoint a, SDPoint b) {
    const double lx = b.x - a.x, ly = b.y - a.y;
    const double length = std::hypot(lx, ly);
    if (length == 0.0) {
        return std::hypot(p.x - a.x, p.y - a.y);
    }
    return std::fabs((p.x - a.x) * ly - (p.y - a.y) * lx) / length;
}

void Flatten(SDPoint p0, SDPoint p1, SDPoint p2, SDPoint p3, double tolerance, int depth,
             const std::function<void(SDPoint)>& chord) {
    const bool flat = DistanceToLine(p1, p0, p3) <= tolerance && DistanceToLine(p2, p0, p3) <= tolerance;
    if (flat || depth >= kMaxFlattenDepth) {
        chord(p3);
        return;
    }
    const SDPoint q0 = Mid(p0, p1), q1 = Mid(p1, p2), q2 = Mid(p2, p3);
    const SDPoint r0 = Mid(q0, q1), r1 = Mid(q1, q2);
    const SDPoint middle = Mid(r0, r1);
    Flatten(p0, q0, r0, middle, tolerance, depth + 1, chord);
    Flatten(middle, r1, q2, p3, tolerance, depth + 1, chord);
}

}  // namespace

Affine Affine::After(const Affine& inner) const {
    return {xx * inner.xx + xy * inner.yx,      xx * inner.xy + xy * inner.yy,
            yx * inner.xx + yy * inner.yx,      yx * inner.xy + yy * inner.yy,
            xx * inner.dx + xy * inner.dy + dx, yx * inner.dx + yy * inner.dy + dy};
}

Affine Affine::Rotation(double radians) {
    const double c = std::cos(radians), s = std::sin(radians);
    return {c, -s, s, c, 0.0, 0.0};
}

void TransformSegments(std::vector<CFileLine>& segments, const Affine& map) {
    for (CFileLine& segment : segments) {
        segment.start = map.Apply(segment.start);
        segment.end = map.Apply(segment.end);
        if (segment.IsBezier()) {
            segment.ctrl1 = map.Apply(segment.ctrl1);
            segment.ctrl2 = map.Apply(segment.ctrl2);
        }
    }
}

void AppendLine(std::vector<CFileLine>& segments, SDPoint from, SDPoint to) {
    CFileLine line;
    line.start = from;
    line.end = to;
    segments.push_back(line);
}

void AppendEllipticArc(std::vector<CFileLine>& segments, SDPoint centre, SDPoint major, SDPoint minor,
                       double from, double to) {
    if (!std::isfinite(from) || !std::isfinite(to) || !std::isfinite(to - from) || to == from) {
        return;
    }
    // More than a turn draws nothing more than one turn; clamped while still a double, so that the
    // piece count below always fits an int.
    const double sweep = std::clamp(to - from, -kFullTurn, kFullTurn);
    const int pieces = static_cast<int>(std::ceil(std::fabs(sweep) / kMaxArcStep));
    const double step = sweep / pieces;
    const std::size_t needed = segments.size() + static_cast<std::size_t>(pieces);
    if (segments.capacity() < needed) {
        segments.reserve(std::max(needed, 2 * segments.capacity()));
    }
    const double handle = 4.0 / 3.0 * std::tan(step / 4.0);
    const auto at = [&](double cosine, double sine) {
        return SDPoint{centre.x + cosine * major.x + sine * minor.x, centre.y + cosine * major.y + sine * minor.y};
    };
    for (int piece = 0; piece < pieces; ++piece) {
        const double t0 = from + step * piece, t1 = t0 + step;
        const double c0 = std::cos(t0), s0 = std::sin(t0), c1 = std::cos(t1), s1 = std::sin(t1);
        CFileLine curve;
        curve.type = CFileLine::kBezier;
        curve.start = at(c0, s0);
        curve.ctrl1 = at(c0 - handle * s0, s0 + handle * c0);
        curve.ctrl2 = at(c1 + handle * s1, s1 - handle * c1);
        curve.end = at(c1, s1);
        segments.push_back(curve);
    }
}

void AppendBulge(std::vector<CFileLine>& segments, SDPoint from, SDPoint to, double bulge) {
    const double chord = std::hypot(to.x - from.x, to.y - from.y);
    if (bulge == 0.0 || !std::isfinite(bulge) || chord == 0.0) {
        AppendLine(segments, from, to);
        return;
    }
    const double angle = 4.0 * std::atan(bulge);
    const double radius = chord / (2.0 * std::sin(std::fabs(angle) / 2.0));
    // The centre lies on the chord's perpendicular bisector, left of the chord for a positive bulge
    // of less than a half circle.
    const double toCentre = radius * std::cos(angle / 2.0) * (angle > 0 ? 1.0 : -1.0);
    const SDPoint middle = Mid(from, to);
    const double ux = (to.x - from.x) / chord, uy = (to.y - from.y) / chord;
    const SDPoint centre{middle.x - uy * toCentre, middle.y + ux * toCentre};
    const double start = std::atan2(from.y - centre.y, from.x - centre.x);
    const std::size_t first = segments.size();
    AppendEllipticArc(segments, centre, {radius, 0.0}, {0.0, radius}, start, start + angle);
    if (segments.size() > first) {
        segments[first].start = from;
        segments.back().end = to;
    }
}

void FlattenBezier(const CFileLine& bezier, double tolerance, const std::function<void(SDPoint)>& chord) {
    Flatten(bezier.start, bezier.ctrl1, bezier.ctrl2, bezier.end, tolerance, 0, chord);
}

}  // namespace filebridge
