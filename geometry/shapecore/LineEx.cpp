// CLineEx: evaluation, splitting, bounding boxes, picking and flattening of one segment.
#include "LineEx.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "Archive.h"

namespace {

constexpr double kRadiansPerDegree = 0.017453292519943295;
constexpr double kSamePointDistance = 0.001;

double Distance(SDPoint a, SDPoint b) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    return std::sqrt(dx * dx + dy * dy);
}

SDPoint Blend(SDPoint a, SDPoint b, double u, double t) {
    return {u * a.x + t * b.x, u * a.y + t * b.y};
}

SDPoint Midpoint(SDPoint a, SDPoint b) {
    return {(a.x + b.x) / 2, (a.y + b.y) / 2};
}

double ClampParam(double t) {
    return std::isnan(t) ? 0.0 : std::clamp(t, 0.0, 1.0);
}

void MovePoint(SDPoint& point, double dx, double dy) {
    point.x += dx;
    point.y += dy;
}

void RotatePoint(SDPoint& point, double cx, double cy, double cosAngle, double sinAngle) {
    const double x = point.x - cx, y = point.y - cy;
    point = {x * cosAngle - y * sinAngle + cx, y * cosAngle + x * sinAngle + cy};
}

// Widens a box by a sampled point without rounding it.
void Include(CRectEx& box, SDPoint point) {
    box.x1 = std::min(box.x1, point.x);
    box.x2 = std::max(box.x2, point.x);
    box.y1 = std::min(box.y1, point.y);
    box.y2 = std::max(box.y2, point.y);
}

}  // namespace

CLineEx::CLineEx(double x1, double y1, double x2, double y2) : p0{x1, y1}, p1{x2, y2} {}

CLineEx::CLineEx(SDPoint start, SDPoint end) : p0(start), p1(end) {}

CLineEx::CLineEx(SDPoint start, SDPoint end, SDPoint control1, SDPoint control2)
    : type(kBezier), p0(start), p1(end), p2(control1), p3(control2) {}

CLineEx::CLineEx(SDPoint centre, double radius, double startAngle, double endAngle)
    : CLineEx(centre, radius, radius, startAngle, endAngle) {}

CLineEx::CLineEx(SDPoint centre, double radiusX, double radiusY, double startAngle, double endAngle)
    : type(kArc), p0(centre), p1{radiusX, radiusY}, p2{startAngle, endAngle}, p3{startAngle, endAngle} {}

bool CLineEx::HasFiniteCoordinates() const {
    for (const SDPoint& point : {p0, p1, p2, p3}) {
        if (!std::isfinite(point.x) || !std::isfinite(point.y)) {
            return false;
        }
    }
    return true;
}

void CLineEx::Move(double dx, double dy) {
    if (IsStraight()) {
        MovePoint(p0, dx, dy);
        MovePoint(p1, dx, dy);
    } else if (type == kBezier) {
        for (SDPoint* point : {&p0, &p1, &p2, &p3}) {
            MovePoint(*point, dx, dy);
        }
    } else if (type == kArc) {
        MovePoint(p0, dx, dy);
    }
}

void CLineEx::Rotate(double cx, double cy, double angle) {
    const double radians = angle * kRadiansPerDegree;
    const double cosAngle = std::cos(radians), sinAngle = std::sin(radians);
    if (IsStraight()) {
        RotatePoint(p0, cx, cy, cosAngle, sinAngle);
        RotatePoint(p1, cx, cy, cosAngle, sinAngle);
    } else if (type == kBezier) {
        for (SDPoint* point : {&p0, &p1, &p2, &p3}) {
            RotatePoint(*point, cx, cy, cosAngle, sinAngle);
        }
    } else if (type == kArc) {
        RotatePoint(p0, cx, cy, cosAngle, sinAngle);
        p2.x += angle;
        p2.y += angle;
        p3 = p2;
    }
}

int CLineEx::IsPoint(double /*tol*/) const {
    return IsStraight() && Distance(p0, p1) < kSamePointDistance ? 1 : 0;
}

SDPoint CLineEx::GetLinePoint(double t) const {
    t = ClampParam(t);
    const double u = 1.0 - t;
    if (IsStraight()) {
        return {p0.x + (p1.x - p0.x) * t, p0.y + (p1.y - p0.y) * t};
    }
    if (type == kBezier) {
        // Control polygon in curve order: start, first control, second control, end.
        const SDPoint q0 = Blend(p0, p2, u, t), q1 = Blend(p2, p3, u, t), q2 = Blend(p3, p1, u, t);
        return Blend(Blend(q0, q1, u, t), Blend(q1, q2, u, t), u, t);
    }
    if (type == kArc) {
        const double radians = (p2.x + (p2.y - p2.x) * t) * kRadiansPerDegree;
        return {p0.x + p1.x * std::cos(radians), p0.y + p1.y * std::sin(radians)};
    }
    return {};
}

void CLineEx::InsertPoint(double t, CLineEx& first, CLineEx& second) const {
    t = ClampParam(t);
    const double u = 1.0 - t;
    if (IsStraight()) {
        const SDPoint middle = GetLinePoint(t);
        first = CLineEx(p0, middle);
        second = CLineEx(middle, p1);
    } else if (type == kBezier) {
        const SDPoint q0 = Blend(p0, p2, u, t), q1 = Blend(p2, p3, u, t), q2 = Blend(p3, p1, u, t);
        const SDPoint r0 = Blend(q0, q1, u, t), r1 = Blend(q1, q2, u, t);
        const SDPoint middle = Blend(r0, r1, u, t);
        first = CLineEx(p0, middle, q0, r0);
        second = CLineEx(middle, p1, r1, q2);
    } else if (type == kArc) {
        const double splitAngle = p2.x + (p2.y - p2.x) * t;
        first = CLineEx(p0, p1.x, p1.y, p2.x, splitAngle);
        second = CLineEx(p0, p1.x, p1.y, splitAngle, p2.y);
    }
}

double CLineEx::GetLength() const {
    return IsStraight() ? Distance(p0, p1) : 0.0;
}

void CLineEx::InvertDir() {
    if (IsStraight()) {
        std::swap(p0, p1);
    } else if (type == kBezier) {
        std::swap(p0, p1);
        std::swap(p2, p3);
    }
}

int CLineEx::OptLine(CDbList<CLineEx>* out, double tol) const {
    if (out == nullptr || !HasFiniteCoordinates()) {
        return 0;
    }
    if (IsStraight()) {
        out->AddTail(*this);
        return 1;
    }
    if (type != kBezier) {
        return 1;
    }
    if (!(tol < kFlatteningToleranceLimit)) {
        return 0;
    }
    // Fewest pieces for which both end pieces lie closer than the threshold to their chords.
    const double threshold = 0.02 - 0.018 * tol;
    int pieces = 1;
    while (pieces < kMaxFlatteningSegments) {
        const double step = 1.0 / pieces;
        const bool startFlat = Distance(Midpoint(p0, GetLinePoint(step)), GetLinePoint(step / 2)) < threshold;
        const bool endFlat =
            Distance(Midpoint(GetLinePoint(1.0 - step), p1), GetLinePoint(1.0 - step / 2)) < threshold;
        if (startFlat && endFlat) {
            break;
        }
        ++pieces;
    }
    const double step = 1.0 / pieces;
    SDPoint previous = p0;
    for (double t = step; t < 1.0; t += step) {
        const SDPoint next = GetLinePoint(t);
        out->AddTail(CLineEx(previous, next));
        previous = next;
    }
    out->AddTail(CLineEx(previous, p1));
    return 1;
}

CRectEx CLineEx::CalRect() const {
    constexpr double kSampleStep = 0.01;
    if (type == kBezier) {
        CRectEx box(p0, p1);
        for (double t = kSampleStep; t < 1.0; t += kSampleStep) {
            Include(box, GetLinePoint(t));
        }
        return box;
    }
    if (type == kArc) {
        const SDPoint first = GetLinePoint(0.0);
        CRectEx box;
        box.x1 = box.x2 = first.x;
        box.y1 = box.y2 = first.y;
        for (double t = 0.0; t <= 1.0; t += kSampleStep) {
            Include(box, GetLinePoint(t));
        }
        return box;
    }
    return CRectEx(p0, p1);
}

int CLineEx::HitTest(SDPoint p, double tol, double& t, double t0, double t1) const {
    constexpr double kBoxTolerance = 0.001;
    constexpr double kShortestInterval = 0.001;
    if (IsStraight()) {
        CRectEx box(p0, p1);
        box.InflateRect(tol, tol);
        if (!box.PtInRect(p, kBoxTolerance)) {
            return 0;
        }
        const double toStart = Distance(p, p0), toEnd = Distance(p, p1);
        if (toStart <= tol) {
            t = 0.0;
            return 1;
        }
        if (toEnd <= tol) {
            t = 1.0;
            return 1;
        }
        // Within the box the accepted region is an ellipse with the end points as foci.
        if ((toStart + toEnd) - Distance(p0, p1) <= tol / 2) {
            t = toStart / (toStart + toEnd);
            return 1;
        }
        return 0;
    }
    if (type != kBezier) {
        return 0;
    }
    CRectEx box(p0, p1);
    box.AddRect(CRectEx(p2, p3));
    box.InflateRect(tol, tol);
    if (!box.PtInRect(p, kBoxTolerance) || t1 - t0 < kShortestInterval) {
        return 0;
    }
    if (Distance(p, p0) <= tol) {
        t = t0;
        return 1;
    }
    if (Distance(p, p1) <= tol) {
        t = t1;
        return 1;
    }
    CLineEx firstHalf, secondHalf;
    InsertPoint(0.5, firstHalf, secondHalf);
    const double middle = (t0 + t1) / 2;
    return firstHalf.HitTest(p, tol, t, t0, middle) || secondHalf.HitTest(p, tol, t, middle, t1) ? 1 : 0;
}

void CLineEx::Serialize(platform::Archive& ar) {
    if (ar.IsStoring()) {
        ar << type;
        for (const SDPoint& point : {p0, p1, p2, p3}) {
            ar << point.x << point.y;
        }
        return;
    }
    CLineEx loaded;
    ar >> loaded.type;
    for (SDPoint* point : {&loaded.p0, &loaded.p1, &loaded.p2, &loaded.p3}) {
        ar >> point->x >> point->y;
    }
    if (!loaded.HasFiniteCoordinates()) {
        throw platform::ArchiveError("segment record with a non-finite coordinate");
    }
    *this = loaded;
}
