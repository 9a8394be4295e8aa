// The segment tests of overlap removal. Distances on a 0.0001 mm grid decide whether a segment lies on
// another, so that noise below that grid does not change the outcome.
#include "OverlapTests.h"

#include <cmath>

namespace overlap {

namespace {

constexpr double kParamSnap = 1e-6;
constexpr double kExactlyOn = 0.00005;  // below it a rounded distance is 0

double OnGrid(double distance) {
    return std::trunc(distance * 10000 + 0.5) * 0.0001;
}

double Distance(SDPoint a, SDPoint b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

double SquaredLength(const CFileLine& segment) {
    const double dx = segment.end.x - segment.start.x;
    const double dy = segment.end.y - segment.start.y;
    return dx * dx + dy * dy;
}

double Dot(const CFileLine& segment, SDPoint p) {
    return (p.x - segment.start.x) * (segment.end.x - segment.start.x) +
           (p.y - segment.start.y) * (segment.end.y - segment.start.y);
}

SDPoint At(const CFileLine& segment, double t) {
    return {segment.start.x + t * (segment.end.x - segment.start.x),
            segment.start.y + t * (segment.end.y - segment.start.y)};
}

bool LiesOn(const CFileLine& a, SDPoint q, double tol) {
    CCadRect box = EndBox(a);
    if (box.ContainsPoint(q.x, q.y) == 0) {
        return false;
    }
    const double u = a.ProjectParam(q.x, q.y);
    return u >= 0.0 && u <= 1.0 && Distance(q, At(a, u)) < tol;
}

// One end of b lies on a, the other beyond one of a's ends: that end of b is moved onto a's end.
StraightOutcome TrimPartialOverlap(const CFileLine& a, CFileLine& b, double tol) {
    SDPoint* inner = nullptr;
    SDPoint outer;
    if (LiesOn(a, b.start, tol)) {
        inner = &b.start;
        outer = b.end;
    } else if (LiesOn(a, b.end, tol)) {
        inner = &b.end;
        outer = b.start;
    } else {
        return StraightOutcome::Nothing;
    }
    if (PointsMeet(outer, a.start) || PointsMeet(outer, a.end)) {
        return StraightOutcome::Nothing;
    }
    const double length = SquaredLength(a);
    const double u = length > 0.0 ? Dot(a, outer) / length : 0.0;
    if (std::fabs(u) < kParamSnap || std::fabs(u - 1.0) < kParamSnap || (u >= 0.0 && u <= 1.0)) {
        return StraightOutcome::Nothing;
    }
    const SDPoint target = u < 0.0 ? a.start : a.end;
    if (PointsMeet(*inner, target)) {
        return StraightOutcome::Nothing;
    }
    *inner = target;
    return StraightOutcome::TrimB;
}

}  // namespace

bool PointsMeet(SDPoint a, SDPoint b, double tol) {
    return std::fabs(a.x - b.x) < tol && std::fabs(a.y - b.y) < tol;
}

bool IsShortSegment(const CFileLine& segment) {
    return PointsMeet(segment.start, segment.end);
}

void ProjectPoint(const CFileLine& segment, SDPoint p, double* perpendicular, double* along) {
    const double t = segment.ProjectParam(p.x, p.y);
    *perpendicular = Distance(p, At(segment, t));
    if (t < 0.0) {
        *along = Distance(p, segment.start);
    } else if (t > 1.0) {
        *along = Distance(p, segment.end);
    } else {
        *along = *perpendicular;
    }
}

CCadRect EndBox(const CFileLine& segment) {
    CCadRect box(segment.start.x, segment.start.y, segment.end.x, segment.end.y, 0);
    box.Normalize();
    return box;
}

bool IsBezierDuplicate(const CFileLine& a, const CFileLine& b, double tol) {
    if (PointsMeet(a.start, b.start, tol) && PointsMeet(a.end, b.end, tol)) {
        return PointsMeet(a.ctrl1, b.ctrl1, tol) && PointsMeet(a.ctrl2, b.ctrl2, tol);
    }
    if (PointsMeet(a.end, b.start, tol) && PointsMeet(a.start, b.end, tol)) {
        return PointsMeet(a.ctrl2, b.ctrl1, tol) && PointsMeet(a.ctrl1, b.ctrl2, tol);
    }
    return false;
}

StraightOutcome TestStraight(const CFileLine& a, CFileLine& b, double tol) {
    const CCadRect boxA = EndBox(a);
    const CCadRect boxB = EndBox(b);
    if (boxA.IsInside(boxB.x1, boxB.y1, boxB.x2, boxB.y2, tol) == 0) {
        return StraightOutcome::Nothing;
    }
    double perpStart = 0, alongStart = 0, perpEnd = 0, alongEnd = 0;
    ProjectPoint(a, b.start, &perpStart, &alongStart);
    ProjectPoint(a, b.end, &perpEnd, &alongEnd);
    if (OnGrid(perpStart) <= tol && OnGrid(perpEnd) <= tol) {
        const bool startOn = OnGrid(alongStart) <= tol;
        const bool endOn = OnGrid(alongEnd) <= tol;
        if (startOn && endOn) {
            return StraightOutcome::RemoveB;
        }
        if (startOn != endOn) {
            const double onDistance = startOn ? alongStart : alongEnd;
            return onDistance < kExactlyOn ? StraightOutcome::Nothing : TrimPartialOverlap(a, b, tol);
        }
    }
    double perp1 = 0, along1 = 0, perp2 = 0, along2 = 0;
    ProjectPoint(b, a.start, &perp1, &along1);
    ProjectPoint(b, a.end, &perp2, &along2);
    return perp1 <= tol && perp2 <= tol && along1 <= tol && along2 <= tol ? StraightOutcome::RemoveA
                                                                         : StraightOutcome::Nothing;
}

}  // namespace overlap
