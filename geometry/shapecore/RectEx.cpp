// CRectEx: rounding to thousandths, tolerance tests, transforms and the stored record.
#include "RectEx.h"

#include <algorithm>
#include <cmath>

#include "Archive.h"

namespace {

// Rounds to the nearest thousandth, halves away from zero. The count of thousandths is kept in a
// double rather than a 32-bit integer, so values beyond +-2147483 mm stay defined; dividing by 1000
// gives the double nearest to the thousandth, so that rectangles touching at 1.001 and 1.0 are
// 0.001 apart and not a hair more.
double RoundToThousandth(double value) {
    const double sign = value < 0.0 ? -1.0 : (value > 0.0 ? 1.0 : 0.0);
    return std::trunc(value * 1000.0 + sign * 0.5) / 1000.0;
}

SDPoint RotateAbout(double x, double y, double cx, double cy, double cosAngle, double sinAngle) {
    return {(x - cx) * cosAngle - (y - cy) * sinAngle + cx, (y - cy) * cosAngle + (x - cx) * sinAngle + cy};
}

}  // namespace

CRectEx::CRectEx(double left, double bottom, double right, double top)
    : x1(left), y1(bottom), x2(right), y2(top) {
    NormalizeRect();
}

CRectEx::CRectEx(SDPoint centre, double width, double height)
    : x1(centre.x - std::fabs(width) / 2),
      y1(centre.y - std::fabs(height) / 2),
      x2(centre.x + std::fabs(width) / 2),
      y2(centre.y + std::fabs(height) / 2) {
    NormalizeRect();
}

CRectEx::CRectEx(SDPoint a, SDPoint b) : x1(a.x), y1(a.y), x2(b.x), y2(b.y) {
    NormalizeRect();
}

double CRectEx::Width() const {
    return std::fabs(x2 - x1);
}

double CRectEx::Height() const {
    return std::fabs(y2 - y1);
}

SDPoint CRectEx::CenterPoint() const {
    return {(x1 + x2) / 2, (y1 + y2) / 2};
}

int CRectEx::IsRectEmpty() const {
    return Width() == 0.0 || Height() == 0.0 ? 1 : 0;
}

SDPoint CRectEx::MinPoint() {
    NormalizeRect();
    return {x1, y1};
}

SDPoint CRectEx::MaxPoint() {
    NormalizeRect();
    return {x2, y2};
}

int CRectEx::PtInRect(SDPoint p, double tol) {
    tol = std::fabs(tol);
    NormalizeRect();
    return x1 - p.x <= tol && p.x - x2 <= tol && y1 - p.y <= tol && p.y - y2 <= tol ? 1 : 0;
}

int CRectEx::EqualRect(CRectEx r, double tol) {
    NormalizeRect();
    r.NormalizeRect();
    return std::fabs(x1 - r.x1) <= tol && std::fabs(y1 - r.y1) <= tol && std::fabs(x2 - r.x2) <= tol &&
                   std::fabs(y2 - r.y2) <= tol
               ? 1
               : 0;
}

int CRectEx::IntersectRect(CRectEx r, CRectEx& out) {
    constexpr double kTouchTolerance = 0.001;
    NormalizeRect();
    if (x1 - r.x2 <= kTouchTolerance && r.x1 - x2 <= kTouchTolerance && y1 - r.y2 <= kTouchTolerance &&
        r.y1 - y2 <= kTouchTolerance) {
        out.x1 = std::max(x1, r.x1);
        out.y1 = std::max(y1, r.y1);
        out.x2 = std::min(x2, r.x2);
        out.y2 = std::min(y2, r.y2);
        return 1;
    }
    return 0;
}

int CRectEx::IsInclude(CRectEx r, double tol) {
    tol = std::fabs(tol);
    NormalizeRect();
    r.NormalizeRect();
    return x1 - r.x1 <= tol && r.x2 - x2 <= tol && y1 - r.y1 <= tol && r.y2 - y2 <= tol ? 1 : 0;
}

void CRectEx::AddRect(CRectEx r) {
    NormalizeRect();
    x1 = std::min(x1, r.x1);
    y1 = std::min(y1, r.y1);
    x2 = std::max(x2, r.x2);
    y2 = std::max(y2, r.y2);
}

CRectEx CRectEx::UnionRect(CRectEx a, CRectEx b) {
    a.AddRect(b);
    return a;
}

void CRectEx::InflateRect(double dx, double dy) {
    NormalizeRect();
    const double halfWidth = Width() / 2 + dx;
    const double halfHeight = Height() / 2 + dy;
    const SDPoint centre = CenterPoint();
    x1 = centre.x - halfWidth;
    y1 = centre.y - halfHeight;
    x2 = centre.x + halfWidth;
    y2 = centre.y + halfHeight;
    NormalizeRect();
}

void CRectEx::InflateRect(double dx1, double dx2, double dy1, double dy2) {
    NormalizeRect();
    const double halfWidth = Width() / 2;
    const double halfHeight = Height() / 2;
    const SDPoint centre = CenterPoint();
    x1 = centre.x - (halfWidth + dx1);
    x2 = centre.x + halfWidth + dx2;
    y1 = centre.y - (halfHeight + dy1);
    y2 = centre.y + halfHeight + dy2;
    NormalizeRect();
}

void CRectEx::NormalizeRect() {
    const double roundedX1 = RoundToThousandth(x1), roundedX2 = RoundToThousandth(x2);
    const double roundedY1 = RoundToThousandth(y1), roundedY2 = RoundToThousandth(y2);
    x1 = std::min(roundedX1, roundedX2);
    x2 = std::max(roundedX1, roundedX2);
    y1 = std::min(roundedY1, roundedY2);
    y2 = std::max(roundedY1, roundedY2);
}

void CRectEx::OffsetRect(double dx, double dy) {
    x1 += dx;
    x2 += dx;
    y1 += dy;
    y2 += dy;
}

void CRectEx::OffsetRect(SDPoint d) {
    OffsetRect(d.x, d.y);
}

void CRectEx::Drag(double cx, double cy, double sx, double sy) {
    x1 = (x1 - cx) * sx + cx;
    x2 = (x2 - cx) * sx + cx;
    y1 = (y1 - cy) * sy + cy;
    y2 = (y2 - cy) * sy + cy;
    NormalizeRect();
}

void CRectEx::Rotate(double cx, double cy, double angle) {
    const double cosAngle = std::cos(angle), sinAngle = std::sin(angle);
    const SDPoint corners[] = {
        RotateAbout(x1, y1, cx, cy, cosAngle, sinAngle), RotateAbout(x2, y1, cx, cy, cosAngle, sinAngle),
        RotateAbout(x2, y2, cx, cy, cosAngle, sinAngle), RotateAbout(x1, y2, cx, cy, cosAngle, sinAngle)};
    x1 = x2 = corners[0].x;
    y1 = y2 = corners[0].y;
    for (const SDPoint& corner : corners) {
        x1 = std::min(x1, corner.x);
        x2 = std::max(x2, corner.x);
        y1 = std::min(y1, corner.y);
        y2 = std::max(y2, corner.y);
    }
    NormalizeRect();
}

SDPoint CRectEx::GetDragPoint(unsigned short index) const {
    // A rectangle of zero size along an axis gets handles 0.5 to either side of it.
    constexpr double kFlatWidening = 0.5;
    index = std::min<unsigned short>(index, 8);
    double left = x1, right = x2, bottom = y1, top = y2;
    if (left == right) {
        left -= kFlatWidening;
        right += kFlatWidening;
    }
    if (bottom == top) {
        bottom -= kFlatWidening;
        top += kFlatWidening;
    }
    const double columns[] = {left, (left + right) / 2, right};
    const double rows[] = {top, (bottom + top) / 2, bottom};
    return {columns[index % 3], rows[index / 3]};
}

void CRectEx::Serialize(platform::Archive& ar) {
    if (ar.IsStoring()) {
        ar << x1 << x2 << y1 << y2;
        return;
    }
    double left, right, bottom, top;
    ar >> left >> right >> bottom >> top;
    for (double value : {left, right, bottom, top}) {
        if (!std::isfinite(value)) {
            throw platform::ArchiveError("rectangle record with a non-finite coordinate");
        }
    }
    x1 = left;
    x2 = right;
    y1 = bottom;
    y2 = top;
}
