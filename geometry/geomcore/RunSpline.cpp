// Clamped cubic B-spline through a run's points, turned into Beziers at its interior knots.
#include "RunSpline.h"

#include <cmath>

#include "PointMath.h"

namespace geomcore {

namespace {

// Legs whose cross product is below this in magnitude count as parallel.
constexpr double kParallel = 1e-7;

double PolylineLength(const std::vector<SDPoint>& p, int from, int to) {
    double length = 0.0;
    for (int i = from; i < to; ++i) {
        length += Distance(p[i], p[i + 1]);
    }
    return length;
}

// Four 0s, the run's chord-length fractions measured from p[1], four 1s. The lengths are summed edge
// by edge in one pass, in the same order as measuring each polyline from p[1] on its own.
std::vector<double> KnotVector(const std::vector<SDPoint>& p) {
    const int n = static_cast<int>(p.size());
    const double total = PolylineLength(p, 1, n - 1);
    std::vector<double> knots(4, 0.0);
    double length = 0.0;
    for (int j = 1; j <= n - 4; ++j) {
        length += Distance(p[j], p[j + 1]);
        knots.push_back(length / total);
    }
    knots.insert(knots.end(), 4, 1.0);
    return knots;
}

// One de Boor step weight; a zero knot difference gives weight 0.
double Weight(double u, double low, double high) {
    return high == low ? 0.0 : (u - low) / (high - low);
}

// The curve point at knot u[i] from the control points p[i-3] .. p[i].
SDPoint PointAtKnot(const std::vector<SDPoint>& p, const std::vector<double>& u, int i) {
    SDPoint d[4] = {p[i - 3], p[i - 2], p[i - 1], p[i]};
    for (int r = 1; r <= 3; ++r) {
        for (int j = 3; j >= r; --j) {
            const int index = i - 3 + j;
            const double alpha = Weight(u[i], u[index], u[index + 4 - r]);
            d[j] = (1.0 - alpha) * d[j - 1] + alpha * d[j];
        }
    }
    return d[3];
}

// The derivative at knot u[i]: the quadratic spline of the scaled control differences.
SDPoint DerivativeAtKnot(const std::vector<SDPoint>& p, const std::vector<double>& u, int i) {
    SDPoint e[3];
    for (int j = 0; j < 3; ++j) {
        const int index = i - 2 + j;
        const double span = u[index + 3] - u[index];
        e[j] = span == 0.0 ? SDPoint{} : (3.0 / span) * (p[index] - p[index - 1]);
    }
    for (int r = 1; r <= 2; ++r) {
        for (int j = 2; j >= r; --j) {
            const int index = i - 2 + j;
            const double alpha = Weight(u[i], u[index], u[index + 3 - r]);
            e[j] = (1.0 - alpha) * e[j - 1] + alpha * e[j];
        }
    }
    return e[2];
}

// Where the line through a and b meets the line through q along d; q itself when they are parallel.
SDPoint Intersect(SDPoint a, SDPoint b, SDPoint q, SDPoint d) {
    const double cross = Cross(b - a, d);
    if (std::fabs(cross) < kParallel) {
        return q;
    }
    return a + (Cross(q - a, d) / cross) * (b - a);
}

struct KnotPoint {
    SDPoint point;
    SDPoint handleBefore;
    SDPoint handleAfter;
};

KnotPoint KnotPointAt(const std::vector<SDPoint>& p, const std::vector<double>& u, int i) {
    const SDPoint q = PointAtKnot(p, u, i);
    const SDPoint d = DerivativeAtKnot(p, u, i);
    return {q, Intersect(p[i - 3], p[i - 2], q, d), Intersect(p[i - 2], p[i - 1], q, d)};
}

CFileLine MakeBezier(const CFileLine& recordTemplate, SDPoint start, SDPoint ctrl1, SDPoint ctrl2,
                     SDPoint end) {
    CFileLine bezier = recordTemplate;
    bezier.type = CFileLine::kBezier;
    bezier.start = start;
    bezier.ctrl1 = ctrl1;
    bezier.ctrl2 = ctrl2;
    bezier.end = end;
    return bezier;
}

}  // namespace

std::vector<CFileLine> RunSplineBeziers(const std::vector<SDPoint>& p, const CFileLine& recordTemplate) {
    const int n = static_cast<int>(p.size());
    if (n <= 4 || PolylineLength(p, 1, n - 1) == 0.0) {
        return {MakeBezier(recordTemplate, p[0], p[1], p[n - 2], p[n - 1])};
    }
    const std::vector<double> knots = KnotVector(p);
    std::vector<CFileLine> beziers;
    SDPoint start = p[0];
    SDPoint ctrl1 = p[1];
    for (int i = 4; i <= n - 1; ++i) {
        const KnotPoint knot = KnotPointAt(p, knots, i);
        if (!SameExactly(knot.point, start)) {
            beziers.push_back(MakeBezier(recordTemplate, start, ctrl1, knot.handleBefore, knot.point));
            start = knot.point;
        }
        ctrl1 = knot.handleAfter;
    }
    beziers.push_back(MakeBezier(recordTemplate, start, ctrl1, p[n - 2], p[n - 1]));
    return beziers;
}

}  // namespace geomcore
