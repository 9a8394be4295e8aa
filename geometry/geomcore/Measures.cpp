// Distances, extents, angles, collinearity, rounding and point-in-polygon.
#include <algorithm>
#include <cmath>

#include "Flatness.h"
#include "Geomcore.h"
#include "PointMath.h"
#include "SegmentListOps.h"

using namespace geomcore;

namespace {

constexpr double kDegreesPerRadian = 57.29577951308232;
// Slopes of collinear points may differ by less than this.
constexpr double kSlopeTolerance = 0.0001;

struct Box {
    double minX, minY, maxX, maxY;

    void Widen(SDPoint point) {
        minX = std::min(minX, point.x);
        minY = std::min(minY, point.y);
        maxX = std::max(maxX, point.x);
        maxY = std::max(maxY, point.y);
    }
};

// Control points never enter the box: a Bezier is sampled finely enough instead.
Box RecordExtent(const CFileLine& record) {
    Box box{record.start.x, record.start.y, record.start.x, record.start.y};
    box.Widen(record.end);
    if (record.IsBezier()) {
        const double step = 1.0 / FlatStepCount(record, kExtentFlatness);
        for (double t = step; t < 1.0; t += step) {
            box.Widen(record.GetPoint(t));
        }
    }
    return box;
}

void WriteBox(const Box& box, double* rect) {
    rect[0] = box.minX;
    rect[1] = box.minY;
    rect[2] = box.maxX;
    rect[3] = box.maxY;
}

bool AllWithin(double a, double b, double c) {
    return std::fabs(a - b) < kCoincidence && std::fabs(b - c) < kCoincidence &&
           std::fabs(a - c) < kCoincidence;
}

bool StrictlyBetween(double value, double a, double b) {
    return (a < value && value < b) || (b < value && value < a);
}

}  // namespace

GeomStatus _math_dis(double x1, double y1, double x2, double y2, double* distance) {
    if (distance == nullptr) {
        return 1;
    }
    *distance = std::sqrt((x1 - x2) * (x1 - x2) + (y1 - y2) * (y1 - y2));
    return 0;
}

GeomStatus _math_ln_getrect(CFileLine record, double* rect) {
    if (rect == nullptr) {
        return 1;
    }
    WriteBox(RecordExtent(record), rect);
    return 0;
}

GeomStatus _math_c_getrect(FileLineList* list, double* rect) {
    if (list == nullptr || rect == nullptr) {
        return 1;
    }
    if (!HasRecords(list)) {
        return 0;
    }
    Box box = RecordExtent(list->head->next->value);
    for (const SegmentNode* node = list->head->next->next; node != list->head; node = node->next) {
        const Box extent = RecordExtent(node->value);
        box.Widen({extent.minX, extent.minY});
        box.Widen({extent.maxX, extent.maxY});
    }
    WriteBox(box, rect);
    return 0;
}

GeomStatus _math_ln_pt2lndis(CFileLine record, double px, double py, double* distance) {
    if (distance == nullptr) {
        return 1;
    }
    const SDPoint start = record.start;
    const SDPoint end = record.end;
    const bool sameX = std::fabs(start.x - end.x) < kCoincidence;
    const bool sameY = std::fabs(start.y - end.y) < kCoincidence;
    if (sameX && sameY) {
        return _math_dis(start.x, start.y, px, py, distance);
    }
    if (sameX) {
        *distance = std::fabs(px - start.x);
    } else if (sameY) {
        *distance = std::fabs(py - start.y);
    } else {
        const double slope = (end.y - start.y) / (end.x - start.x);
        *distance = std::fabs(slope * start.x - start.y - slope * px + py) / std::sqrt(slope * slope + 1.0);
    }
    return 0;
}

GeomStatus _math_calangle(double x1, double y1, double x2, double y2, double* degrees) {
    if (degrees == nullptr) {
        return 1;
    }
    const double dx = x2 - x1;
    const double dy = y2 - y1;
    if (dx == 0.0) {
        *degrees = dy > 0.0 ? 90.0 : (dy < 0.0 ? 270.0 : 0.0);
    } else if (dy == 0.0) {
        *degrees = dx > 0.0 ? 0.0 : 180.0;
    } else {
        const double angle = std::atan(dy / dx) * kDegreesPerRadian;
        if (dx < 0.0) {
            *degrees = angle + 180.0;
        } else {
            *degrees = dy > 0.0 ? angle : angle + 360.0;
        }
    }
    return 0;
}

// The angle from the arm towards the first point to the arm towards the third point; it is negative
// when that turn is counter-clockwise (cross product of the arms >= 0).
GeomStatus _math_cal3ptangle(double x1, double y1, double x2, double y2, double x3, double y3,
                             double* radians) {
    if (radians == nullptr) {
        return 1;
    }
    *radians = 0.0;
    const SDPoint first{x1, y1}, middle{x2, y2}, third{x3, y3};
    if (Coincide(middle, first) || Coincide(middle, third) || Coincide(first, third)) {
        return 0;
    }
    const SDPoint armA = first - middle;
    const SDPoint armB = third - middle;
    const double cosine = std::clamp(Dot(armA, armB) / (Length(armA) * Length(armB)), -1.0, 1.0);
    const double angle = std::acos(cosine);
    *radians = Cross(armA, armB) >= 0.0 ? -angle : angle;
    return 0;
}

GeomStatus _math_Is3ponline(double x1, double y1, double x2, double y2, double x3, double y3) {
    if (Coincide({x2, y2}, {x1, y1}) || Coincide({x2, y2}, {x3, y3})) {
        return 1;
    }
    if (AllWithin(x1, x2, x3)) {
        return StrictlyBetween(y2, y1, y3) ? 1 : 0;
    }
    if (!AllWithin(y1, y2, y3)) {
        const double slope = (x3 - x2) / (y3 - y2);
        if (std::fabs(slope - (x2 - x1) / (y2 - y1)) >= kSlopeTolerance ||
            std::fabs(slope - (x3 - x1) / (y3 - y1)) >= kSlopeTolerance) {
            return 0;
        }
    }
    return StrictlyBetween(x2, x1, x3) ? 1 : 0;
}

// Rounds half away from zero in double arithmetic: the same results as rounding through a 32-bit
// integer wherever that fitted, and correct ones where it overflowed (10 decimals of values >= 0.22).
GeomStatus _math_double2float(double* value, std::int16_t decimals) {
    if (value == nullptr) {
        return 1;
    }
    if (decimals < 1 || decimals > 10) {
        return 0;
    }
    const double scale = std::pow(10.0, decimals);
    const double scaled = *value * scale;
    *value = (*value >= 0.0 ? std::trunc(scaled + 0.5) : std::trunc(scaled - 0.5)) / scale;
    return 0;
}

GeomStatus _math_ptinpolygon(int x, int y, const int* xyPairs, int count) {
    if (xyPairs == nullptr || count <= 0) {
        return 0;
    }
    bool inside = false;
    for (int i = 0; i < count; ++i) {
        const int j = (i + 1) % count;
        const double xi = xyPairs[2 * i], yi = xyPairs[2 * i + 1];
        const double xj = xyPairs[2 * j], yj = xyPairs[2 * j + 1];
        if (yi == yj) {
            continue;
        }
        if (std::min(yi, yj) <= y && y < std::max(yi, yj) && x < xi + (xj - xi) * (y - yi) / (yj - yi)) {
            inside = !inside;
        }
    }
    return inside ? 1 : 0;
}

// Interior angle in degrees: 180 for a straight pass, 0 where two of the points (nearly) coincide.
GeomStatus _math_get3Pangle(double x1, double y1, double x2, double y2, double x3, double y3,
                            double* degrees) {
    constexpr double kMinArm = 0.01;
    if (degrees == nullptr) {
        return 1;
    }
    const SDPoint first{x1, y1}, middle{x2, y2}, third{x3, y3};
    if (_math_Is3ponline(x1, y1, x2, y2, x3, y3) != 0) {
        *degrees = Coincide(middle, first) || Coincide(middle, third) ? 0.0 : 180.0;
        return 0;
    }
    const double a = Distance(first, middle);
    const double b = Distance(middle, third);
    const double c = Distance(first, third);
    if (a <= kMinArm || b <= kMinArm || c <= kMinArm) {
        *degrees = 0.0;
        return 0;
    }
    *degrees = std::acos(std::clamp((a * a + b * b - c * c) / (2.0 * a * b), -1.0, 1.0)) * kDegreesPerRadian;
    return 0;
}
