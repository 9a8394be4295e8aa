// Greedy Bezier fitting of the point chain between corners.
#include "GreedyBezierFit.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "Flatness.h"
#include "PointMath.h"
#include "SegmentListOps.h"

namespace geomcore {

namespace {

constexpr double kFitDistancePerStrength = 0.07;  // of the larger side of the points' box
// Interior angles (radians) outside [kCornerBelow, kCornerAbove] are corners; an exact straight pass
// lies above and is a corner too, so collinear runs come out as lines.
constexpr double kCornerBelow = 2.0943950666666664;
constexpr double kCornerAbove = 3.1415926;
constexpr double kFullTurn = 6.2831852;
constexpr double kQuarterTurn = 1.5707963;
constexpr double kHorizontalArm = 5.0;  // mm, the reference arm of the tangent-angle rule
constexpr double kClosedChain = 1e-8;   // mm, first and last point of a closed chain or span
constexpr double kSingularSystem = 1e-9;
constexpr double kParallelHandles = 1e-8;
constexpr double kSnap = 1e-6;
constexpr double kDistinctHandles = 0.001;  // mm
constexpr double kLongEdge = 0.4;           // mm; longer edges also have their midpoints tested
constexpr double kOnCurve = 0.001;          // mm
constexpr double kSettled = 0.001;          // relative difference of the bracket ends
constexpr int kMaxBracketSteps = 64;

struct ChainPoint {
    SDPoint at;
    int corner = 0;
    int smooth = 0;
};

using Chain = std::vector<ChainPoint>;

struct Piece {
    SDPoint start, end, ctrl1, ctrl2;
    int kind = 0;  // 0 line, 1 Bezier

    CFileLine AsBezierRecord() const {
        CFileLine bezier;
        bezier.type = CFileLine::kBezier;
        bezier.start = start;
        bezier.end = end;
        bezier.ctrl1 = ctrl1;
        bezier.ctrl2 = ctrl2;
        return bezier;
    }
};

Piece LinePiece(SDPoint start, SDPoint end) {
    return {start, end, start, end, 0};
}

// The angle at `vertex` between the arms to a and b (0 to pi), 0 when any two of the points coincide.
double AngleBetween(SDPoint vertex, SDPoint a, SDPoint b) {
    if (SameExactly(vertex, a) || SameExactly(vertex, b) || SameExactly(a, b)) {
        return 0.0;
    }
    const SDPoint armA = a - vertex, armB = b - vertex;
    return std::acos(std::clamp(Dot(armA, armB) / (Length(armA) * Length(armB)), -1.0, 1.0));
}

Chain BuildChain(const std::vector<CFileLine>& records) {
    std::vector<SDPoint> points{records.front().start};
    for (const CFileLine& record : records) {
        if (record.IsBezier()) {
            AppendInteriorSamples(record, kFitFlatness, points);
        }
        points.push_back(record.end);
    }
    Chain chain;
    for (const SDPoint& point : points) {
        chain.push_back({point});
    }
    for (std::size_t i = 1; i + 1 < chain.size(); ++i) {
        const double angle = AngleBetween(chain[i].at, chain[i - 1].at, chain[i + 1].at);
        const bool corner = angle < kCornerBelow || angle > kCornerAbove;
        chain[i].corner = corner ? 1 : 0;
        chain[i].smooth = corner ? 0 : 1;
    }
    return chain;
}

bool ClosedWithFewPoints(const Chain& points) {
    return points.size() >= 3 && points.size() <= 5 &&
           WithinBox(points.front().at, points.back().at, kClosedChain);
}

void AppendEdges(const Chain& points, std::vector<Piece>& pieces) {
    for (std::size_t i = 0; i + 1 < points.size(); ++i) {
        pieces.push_back(LinePiece(points[i].at, points[i + 1].at));
    }
}

// The tangent-angle rule at a smooth point between neighbours a and b: the bisector of the two
// directions measured from +x, turned a quarter toward b (start form) or toward a (end form).
SDPoint SmoothTangent(SDPoint at, SDPoint a, SDPoint b, bool startForm) {
    const SDPoint reference{at.x + kHorizontalArm, at.y};
    auto directionOf = [&](SDPoint neighbour) {
        const double angle = AngleBetween(at, reference, neighbour);
        return neighbour.y < at.y ? kFullTurn - angle : angle;
    };
    const double thetaA = directionOf(a);
    const double thetaB = directionOf(b);
    const double mean = (thetaA + thetaB) / 2.0;
    const bool turnDown = (thetaB < thetaA) == startForm;
    const double angle = turnDown ? mean - kQuarterTurn : mean + kQuarterTurn;
    return {std::cos(angle), std::sin(angle)};
}

// The span points from..to, their parameters by chord length.
std::vector<double> ChordParams(const Chain& span, int from, int to) {
    std::vector<double> params{0.0};
    for (int i = from + 1; i <= to; ++i) {
        params.push_back(params.back() + Distance(span[i - 1].at, span[i].at));
    }
    const double total = params.back();
    for (double& param : params) {
        param /= total;
    }
    return params;
}

// One Bezier over span[from..to] with end tangents from the marks and handle lengths by least squares.
std::optional<Piece> FitBezier(const Chain& span, int from, int to) {
    const SDPoint q0 = span[from].at, qk = span[to].at;
    const SDPoint t1 = span[from].smooth == 0 ? UnitOrZero(span[from + 1].at - q0)
                                              : SmoothTangent(q0, span[from - 1].at, span[from + 1].at, true);
    const SDPoint t2 = span[to].smooth == 0 ? UnitOrZero(span[to - 1].at - qk)
                                            : SmoothTangent(qk, span[to - 1].at, span[to + 1].at, false);
    const std::vector<double> params = ChordParams(span, from, to);
    double c11 = 0.0, c12 = 0.0, c22 = 0.0, x1 = 0.0, x2 = 0.0;
    for (int i = from; i <= to; ++i) {
        const double u = params[i - from], v = 1.0 - u;
        const SDPoint residual = span[i].at - (1.0 + 2.0 * u) * v * v * q0 - (3.0 - 2.0 * u) * u * u * qk;
        c11 += 9.0 * u * u * v * v * v * v * Dot(t1, t1);
        c12 += 9.0 * u * u * u * v * v * v * Dot(t1, t2);
        c22 += 9.0 * u * u * u * u * v * v * Dot(t2, t2);
        x1 += 3.0 * u * v * v * Dot(residual, t1);
        x2 += 3.0 * u * u * v * Dot(residual, t2);
    }
    const double determinant = c11 * c22 - c12 * c12;
    if (!(determinant >= kSingularSystem)) {
        return std::nullopt;
    }
    const double alpha1 = std::fabs((x1 * c22 - x2 * c12) / determinant);
    const double alpha2 = std::fabs((c11 * x2 - c12 * x1) / determinant);
    return Piece{q0, qk, q0 + alpha1 * t1, qk + alpha2 * t2, 1};
}

double ProjectionParam(SDPoint x, SDPoint s, SDPoint e) {
    const double param = Dot(x - s, e - s) / Dot(e - s, e - s);
    if (std::fabs(param) < kSnap) {
        return 0.0;
    }
    if (std::fabs(param - 1.0) < kSnap) {
        return 1.0;
    }
    return param;
}

// Handles that cross each other (their lines meet inside both or either handle) make a loop or cusp.
bool HandlesCross(const Piece& bezier) {
    if (WithinBox(bezier.ctrl1, bezier.ctrl2, kDistinctHandles)) {
        return false;
    }
    const SDPoint d1 = bezier.ctrl1 - bezier.start, d2 = bezier.ctrl2 - bezier.end;
    const double cross = Cross(d1, d2);
    if (std::fabs(cross) <= kParallelHandles) {
        return false;
    }
    const SDPoint meet = bezier.start + (Cross(bezier.end - bezier.start, d2) / cross) * d1;
    const double onFirst = ProjectionParam(meet, bezier.start, bezier.ctrl1);
    const double onSecond = ProjectionParam(meet, bezier.end, bezier.ctrl2);
    return (onFirst > 0.0 && onFirst < 1.0) || (onSecond > 0.0 && onSecond < 1.0);
}

// Distance from x to the curve: the nearest of eleven samples, then the bracket around it is halved.
double DistanceToCurve(const CFileLine& curve, SDPoint x) {
    double best = Distance(x, curve.GetPoint(0.0));
    double bestParam = 0.0;
    for (int k = 1; k < 10; ++k) {
        const double distance = Distance(x, curve.GetPoint(k / 10.0));
        if (distance < best) {
            best = distance;
            bestParam = k / 10.0;
        }
    }
    double low = bestParam == 0.0 ? 0.0 : std::max(bestParam - 0.1, 0.0);
    double high = bestParam == 0.0 ? 0.1 : std::min(bestParam + 0.1, 1.0);
    if (Distance(x, curve.end) < best) {
        low = 0.9;
        high = 1.0;
    }
    for (int i = 0; i < kMaxBracketSteps; ++i) {
        const double atLow = Distance(x, curve.GetPoint(low));
        const double atHigh = Distance(x, curve.GetPoint(high));
        if (atLow < kOnCurve || atHigh < kOnCurve) {
            return 0.0;
        }
        if (std::fabs(atLow - atHigh) <= kSettled * (atLow + atHigh) / 2.0) {
            break;
        }
        const double middle = (low + high) / 2.0;
        (atLow < atHigh ? high : low) = middle;
    }
    return Distance(x, curve.GetPoint((low + high) / 2.0));
}

double FitTolerance(const Chain& span, int from, int to, double fitDistance) {
    double minX = span[from].at.x, maxX = minX, minY = span[from].at.y, maxY = minY;
    for (int i = from + 1; i <= to; ++i) {
        minX = std::min(minX, span[i].at.x);
        maxX = std::max(maxX, span[i].at.x);
        minY = std::min(minY, span[i].at.y);
        maxY = std::max(maxY, span[i].at.y);
    }
    return fitDistance * std::max(maxX - minX, maxY - minY);
}

bool PassesFitTest(const Piece& bezier, const Chain& span, int from, int to, double fitDistance) {
    if (HandlesCross(bezier)) {
        return false;
    }
    const double tolerance = FitTolerance(span, from, to, fitDistance);
    const CFileLine curve = bezier.AsBezierRecord();
    for (int i = from; i <= to; ++i) {
        if (DistanceToCurve(curve, span[i].at) > tolerance) {
            return false;
        }
        if (i < to && Distance(span[i].at, span[i + 1].at) >= kLongEdge &&
            DistanceToCurve(curve, Midpoint(span[i].at, span[i + 1].at)) > tolerance) {
            return false;
        }
    }
    return true;
}

std::optional<Piece> PassingBezier(const Chain& span, int from, int to, double fitDistance) {
    std::optional<Piece> bezier = FitBezier(span, from, to);
    if (bezier && !PassesFitTest(*bezier, span, from, to, fitDistance)) {
        bezier.reset();
    }
    return bezier;
}

// Covers the span with one Bezier when it fits, otherwise with the longest fitting Bezier from the
// current point (found by halving), or a line where none fits.
void FitSpan(const Chain& span, double fitDistance, std::vector<Piece>& pieces) {
    if (ClosedWithFewPoints(span)) {
        AppendEdges(span, pieces);
        return;
    }
    const int last = static_cast<int>(span.size()) - 1;
    int from = 0;
    while (from < last) {
        if (const auto whole = PassingBezier(span, from, last, fitDistance)) {
            pieces.push_back(*whole);
            return;
        }
        int low = from, high = last;
        std::optional<Piece> longest;
        while (high > low + 1) {
            const int middle = (low + high + 1) / 2;
            if (auto bezier = PassingBezier(span, from, middle, fitDistance)) {
                low = middle;
                longest = bezier;
            } else {
                high = middle;
            }
        }
        if (low > from) {
            pieces.push_back(*longest);
            from = low;
        } else {
            pieces.push_back(LinePiece(span[from].at, span[from + 1].at));
            ++from;
        }
    }
}

std::vector<Piece> ChainPieces(const Chain& chain, double fitDistance) {
    std::vector<Piece> pieces;
    if (ClosedWithFewPoints(chain)) {
        AppendEdges(chain, pieces);
        return pieces;
    }
    if (chain.size() < 3) {
        return pieces;
    }
    const int last = static_cast<int>(chain.size()) - 1;
    int spanStart = 0;
    while (spanStart < last) {
        int spanEnd = spanStart + 1;
        while (spanEnd < last && chain[spanEnd].corner == 0) {
            ++spanEnd;
        }
        if (spanEnd == spanStart + 1) {
            pieces.push_back(LinePiece(chain[spanStart].at, chain[spanEnd].at));
        } else {
            FitSpan(Chain(chain.begin() + spanStart, chain.begin() + spanEnd + 1), fitDistance, pieces);
        }
        spanStart = spanEnd;
    }
    return pieces;
}

}  // namespace

void GreedyBezierFit(const std::vector<CFileLine>& records, double strength, FileLineList& result) {
    const Chain chain = BuildChain(records);
    for (const Piece& piece : ChainPieces(chain, kFitDistancePerStrength * strength)) {
        CFileLine record = records.back();
        record.type = piece.kind == 1 ? CFileLine::kBezier : 0;
        record.start = piece.start;
        record.end = piece.end;
        if (piece.kind == 1) {
            record.ctrl1 = piece.ctrl1;
            record.ctrl2 = piece.ctrl2;
        }
        AppendRecord(result, record);
    }
}

}  // namespace geomcore
