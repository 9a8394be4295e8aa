// CCadRect: construction, ordering and the overlap, containment and position tests of the drawing
// rectangle.
#include "CadRect.h"

#include <algorithm>
#include <utility>

CCadRect::CCadRect(double x, double y, double a, double b, int isSize)
    : x1(x), y1(y), x2(isSize != 0 ? x + a : a), y2(isSize != 0 ? y + b : b) {
    Normalize();
}

void CCadRect::Normalize() {
    if (x1 > x2) {
        std::swap(x1, x2);
    }
    if (y1 > y2) {
        std::swap(y1, y2);
    }
}

int CCadRect::IsInside(double a, double b, double c, double d, double tol) const {
    if (x1 - c > tol) {
        return 0;
    }
    if (a - x2 > tol) {
        return 0;
    }
    if (y1 - d > tol) {
        return 0;
    }
    if (b - y2 > tol) {
        return 0;
    }
    return 1;
}

int CCadRect::ContainsPoint(double x, double y) {
    Normalize();
    return x1 <= x && x <= x2 && y1 <= y && y <= y2 ? 1 : 0;
}

void CCadRect::GetPositionPoint(double& x, double& y, unsigned short code) const {
    constexpr double kFlatWidening = 0.5;
    code = std::min<unsigned short>(code, 8);
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
    x = columns[code % 3];
    y = rows[code / 3];
}

void CCadRect::SetFromPoints(double ax, double ay, double bx, double by) {
    x1 = std::min(ax, bx);
    y1 = std::min(ay, by);
    x2 = std::max(ax, bx);
    y2 = std::max(ay, by);
}

void CCadRect::Unite(const CCadRect& other) {
    x1 = std::min(x1, other.x1);
    y1 = std::min(y1, other.y1);
    x2 = std::max(x2, other.x2);
    y2 = std::max(y2, other.y2);
}
