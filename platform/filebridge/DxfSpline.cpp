#include "DxfSpline.h"

#include <algorithm>
#include <cmath>

#include "PathGeometry.h"

namespace filebridge {

namespace {

constexpr int kMaxDegree = 25;
constexpr double kChordTolerance = 0.001;
constexpr int kMinChordDepth = 3;
constexpr int kMaxChordDepth = 10;

struct Homogeneous {
    double x = 0.0, y = 0.0, w = 1.0;
};

// De Boor evaluation at t in knot span `span` (knots[span] <= t <= knots[span + 1]).
SDPoint Evaluate(const SplineInput& s, std::size_t span, double t) {
    const int p = s.degree;
    std::vector<Homogeneous> d(static_cast<std::size_t>(p) + 1);
    for (int j = 0; j <= p; ++j) {
        const std::size_t index = span - static_cast<std::size_t>(p) + static_cast<std::size_t>(j);
        const double w = s.weights.empty() ? 1.0 : s.weights[index];
        d[static_cast<std::size_t>(j)] = {s.controls[index].x * w, s.controls[index].y * w, w};
    }
    for (int r = 1; r <= p; ++r) {
        for (int j = p; j >= r; --j) {
            const std::size_t i = span - static_cast<std::size_t>(p) + static_cast<std::size_t>(j);
            const double denominator = s.knots[i + static_cast<std::size_t>(p - r) + 1] - s.knots[i];
            const double a = denominator == 0.0 ? 0.0 : (t - s.knots[i]) / denominator;
            Homogeneous& out = d[static_cast<std::size_t>(j)];
            const Homogeneous& before = d[static_cast<std::size_t>(j) - 1];
            out = {(1.0 - a) * before.x + a * out.x, (1.0 - a) * before.y + a * out.y, (1.0 - a) * before.w + a * out.w};
        }
    }
    const Homogeneous& result = d[static_cast<std::size_t>(p)];
    return {result.x / result.w, result.y / result.w};
}

bool Consistent(const SplineInput& s) {
    const std::size_t n = s.controls.size();
    if (s.degree < 1 || s.degree > kMaxDegree || n < static_cast<std::size_t>(s.degree) + 1 ||
        s.knots.size() != n + static_cast<std::size_t>(s.degree) + 1 || (!s.weights.empty() && s.weights.size() != n)) {
        return false;
    }
    for (std::size_t i = 0; i < s.knots.size(); ++i) {
        if (!std::isfinite(s.knots[i]) || (i > 0 && s.knots[i] < s.knots[i - 1])) {
            return false;
        }
    }
    return std::all_of(s.weights.begin(), s.weights.end(), [](double w) { return std::isfinite(w) && w > 0.0; });
}

bool IsRational(const SplineInput& s) {
    return std::any_of(s.weights.begin(), s.weights.end(), [&](double w) { return w != s.weights.front(); });
}

// A polynomial piece of degree 3 or less is its own cubic Bezier: the one through its values at 0,
// 1/3, 2/3 and 1 of the span.
CFileLine BezierOfSpan(const SplineInput& s, std::size_t span) {
    const double t0 = s.knots[span], t1 = s.knots[span + 1], h = t1 - t0;
    const SDPoint p0 = Evaluate(s, span, t0), c1 = Evaluate(s, span, t0 + h / 3.0);
    const SDPoint c2 = Evaluate(s, span, t0 + 2.0 * h / 3.0), p3 = Evaluate(s, span, t1);
    const auto solve = [](double a0, double a1, double a2, double a3) {
        const double first = 27.0 * a1 - 8.0 * a0 - a3, second = 27.0 * a2 - a0 - 8.0 * a3;
        return std::pair{(2.0 * first - second) / 18.0, (2.0 * second - first) / 18.0};
    };
    const auto [x1, x2] = solve(p0.x, c1.x, c2.x, p3.x);
    const auto [y1, y2] = solve(p0.y, c1.y, c2.y, p3.y);
    CFileLine bezier;
    bezier.type = CFileLine::kBezier;
    bezier.start = p0;
    bezier.ctrl1 = {x1, y1};
    bezier.ctrl2 = {x2, y2};
    bezier.end = p3;
    return bezier;
}

// Halves a piece of the span while its middle strays from the chord by more than kChordTolerance.
void AppendChordsBetween(const SplineInput& s, std::size_t span, double t0, SDPoint from, double t1, SDPoint to,
                         int depth, std::vector<CFileLine>& segments) {
    const double middle = (t0 + t1) / 2.0;
    const SDPoint at = Evaluate(s, span, middle);
    const bool straight = std::hypot(at.x - (from.x + to.x) / 2.0, at.y - (from.y + to.y) / 2.0) <= kChordTolerance;
    if (depth >= kMaxChordDepth || (depth >= kMinChordDepth && straight)) {
        AppendLine(segments, from, to);
        return;
    }
    AppendChordsBetween(s, span, t0, from, middle, at, depth + 1, segments);
    AppendChordsBetween(s, span, middle, at, t1, to, depth + 1, segments);
}

void AppendChords(const SplineInput& s, std::size_t span, std::vector<CFileLine>& segments) {
    const double t0 = s.knots[span], t1 = s.knots[span + 1];
    AppendChordsBetween(s, span, t0, Evaluate(s, span, t0), t1, Evaluate(s, span, t1), 0, segments);
}

bool AppendControlled(const SplineInput& s, std::vector<CFileLine>& segments, std::size_t maxSegments) {
    if (!Consistent(s)) {
        return false;
    }
    const bool exact = s.degree <= 3 && !IsRational(s);
    const std::size_t last = s.controls.size() - 1;
    for (std::size_t span = static_cast<std::size_t>(s.degree); span <= last; ++span) {
        if (s.knots[span] == s.knots[span + 1]) {
            continue;
        }
        if (exact) {
            segments.push_back(BezierOfSpan(s, span));
        } else {
            AppendChords(s, span, segments);
        }
        if (segments.size() > maxSegments) {
            return false;
        }
    }
    return true;
}

// Smooth pieces through the fit points with tangents from the neighbours (a closed spline wraps).
bool AppendThroughFits(const SplineInput& s, std::vector<CFileLine>& segments) {
    std::vector<SDPoint> fits = s.fits;
    if (fits.size() < 2) {
        return false;
    }
    if (s.closed && (fits.front().x != fits.back().x || fits.front().y != fits.back().y)) {
        fits.push_back(fits.front());
    }
    const std::size_t n = fits.size();
    const auto point = [&](std::ptrdiff_t i) {
        if (s.closed) {
            const auto m = static_cast<std::ptrdiff_t>(n - 1);
            return fits[static_cast<std::size_t>(((i % m) + m) % m)];
        }
        return fits[static_cast<std::size_t>(std::clamp<std::ptrdiff_t>(i, 0, static_cast<std::ptrdiff_t>(n) - 1))];
    };
    for (std::size_t i = 0; i + 1 < n; ++i) {
        const auto at = static_cast<std::ptrdiff_t>(i);
        const SDPoint p0 = point(at - 1), p1 = point(at), p2 = point(at + 1), p3 = point(at + 2);
        CFileLine bezier;
        bezier.type = CFileLine::kBezier;
        bezier.start = p1;
        bezier.ctrl1 = {p1.x + (p2.x - p0.x) / 6.0, p1.y + (p2.y - p0.y) / 6.0};
        bezier.ctrl2 = {p2.x - (p3.x - p1.x) / 6.0, p2.y - (p3.y - p1.y) / 6.0};
        bezier.end = p2;
        segments.push_back(bezier);
    }
    return true;
}

}  // namespace

bool AppendSpline(const SplineInput& spline, std::vector<CFileLine>& segments, std::size_t maxSegments) {
    if (!spline.controls.empty()) {
        return AppendControlled(spline, segments, maxSegments);
    }
    return AppendThroughFits(spline, segments);
}

}  // namespace filebridge
