// Moves, rotations, skews, scalings, mirrors and copies of points, records and curves.
#include <cmath>

#include "Geomcore.h"
#include "PointMath.h"
#include "SegmentListOps.h"

using namespace geomcore;

namespace {

// Applies a point transform to start and end, and to the control points of a Bezier record.
template <typename PointTransform>
void TransformRecord(CFileLine& record, PointTransform transform) {
    transform(record.start);
    transform(record.end);
    if (record.IsBezier()) {
        transform(record.ctrl1);
        transform(record.ctrl2);
    }
}

template <typename PointTransform>
void TransformCurve(FileLineList& list, PointTransform transform) {
    if (list.IsEmpty() != 0) {
        return;
    }
    for (SegmentNode* node = list.head->next; node != list.head; node = node->next) {
        TransformRecord(node->value, transform);
    }
}

void Rotate(SDPoint& point, double cx, double cy, double radians) {
    const double cosine = std::cos(radians);
    const double sine = std::sin(radians);
    const double dx = point.x - cx;
    const double dy = point.y - cy;
    point = {cx + cosine * dx - sine * dy, cy + cosine * dy + sine * dx};
}

void Skew(SDPoint& point, double cx, double cy, double angleX, double angleY) {
    const SDPoint old = point;
    point = {old.x - std::tan(angleX) * (old.y - cy), old.y + std::tan(angleY) * (old.x - cx)};
}

// A factor of exactly 1 leaves its coordinate bit for bit.
void Drag(SDPoint& point, double cx, double cy, double sx, double sy) {
    if (sx != 1.0) {
        point.x = cx + sx * (point.x - cx);
    }
    if (sy != 1.0) {
        point.y = cy + sy * (point.y - cy);
    }
}

// A point argument is two doubles, x then y.
template <typename PointTransform>
void TransformXY(double* xy, PointTransform transform) {
    SDPoint point{xy[0], xy[1]};
    transform(point);
    xy[0] = point.x;
    xy[1] = point.y;
}

}  // namespace

GeomStatus _math_pt_move(double* point, double dx, double dy) {
    if (point == nullptr) {
        return 1;
    }
    point[0] += dx;
    point[1] += dy;
    return 0;
}

GeomStatus _math_ln_move(CFileLine* record, double dx, double dy) {
    if (record == nullptr) {
        return 1;
    }
    if (dx != 0.0 || dy != 0.0) {
        TransformRecord(*record, [&](SDPoint& p) { p = p + SDPoint{dx, dy}; });
    }
    return 0;
}

GeomStatus _math_c_move(FileLineList* list, double dx, double dy) {
    if (list == nullptr) {
        return 1;
    }
    if (dx != 0.0 || dy != 0.0) {
        TransformCurve(*list, [&](SDPoint& p) { p = p + SDPoint{dx, dy}; });
    }
    return 0;
}

// Copying a list onto itself appends one moved copy of each record that was there before.
GeomStatus _math_c_copy(FileLineList* source, FileLineList* target, double dx, double dy) {
    if (source == nullptr || target == nullptr) {
        return 1;
    }
    for (CFileLine record : CopyRecords(*source)) {
        _math_ln_move(&record, dx, dy);
        AppendRecord(*target, record);
    }
    return 0;
}

GeomStatus _math_pt_rotate(double* point, double cx, double cy, double radians) {
    if (point == nullptr) {
        return 1;
    }
    TransformXY(point, [&](SDPoint& p) { Rotate(p, cx, cy, radians); });
    return 0;
}

GeomStatus _math_ln_rotate(CFileLine* record, double cx, double cy, double radians) {
    if (record == nullptr) {
        return 1;
    }
    TransformRecord(*record, [&](SDPoint& p) { Rotate(p, cx, cy, radians); });
    return 0;
}

GeomStatus _math_c_rotate(FileLineList* list, double cx, double cy, double radians) {
    if (list == nullptr) {
        return 1;
    }
    if (radians != 0.0) {
        TransformCurve(*list, [&](SDPoint& p) { Rotate(p, cx, cy, radians); });
    }
    return 0;
}

GeomStatus _math_pt_skew(double* point, double cx, double cy, double angleX, double angleY) {
    if (point == nullptr) {
        return 1;
    }
    TransformXY(point, [&](SDPoint& p) { Skew(p, cx, cy, angleX, angleY); });
    return 0;
}

GeomStatus _math_ln_skew(CFileLine* record, double cx, double cy, double angleX, double angleY) {
    if (record == nullptr) {
        return 1;
    }
    TransformRecord(*record, [&](SDPoint& p) { Skew(p, cx, cy, angleX, angleY); });
    return 0;
}

GeomStatus _math_c_skew(FileLineList* list, double cx, double cy, double angleX, double angleY) {
    if (list == nullptr) {
        return 1;
    }
    if (angleX != 0.0 || angleY != 0.0) {
        TransformCurve(*list, [&](SDPoint& p) { Skew(p, cx, cy, angleX, angleY); });
    }
    return 0;
}

GeomStatus _math_pt_drag(double* point, double cx, double cy, double sx, double sy) {
    if (point == nullptr) {
        return 1;
    }
    TransformXY(point, [&](SDPoint& p) { Drag(p, cx, cy, sx, sy); });
    return 0;
}

GeomStatus _math_ln_drag(CFileLine* record, double cx, double cy, double sx, double sy) {
    if (record == nullptr) {
        return 1;
    }
    TransformRecord(*record, [&](SDPoint& p) { Drag(p, cx, cy, sx, sy); });
    return 0;
}

GeomStatus _math_c_drag(FileLineList* list, double cx, double cy, double sx, double sy) {
    if (list == nullptr) {
        return 1;
    }
    if (sx != 1.0 || sy != 1.0) {
        TransformCurve(*list, [&](SDPoint& p) { Drag(p, cx, cy, sx, sy); });
    }
    return 0;
}

GeomStatus _math_c_xmirror(FileLineList* list, double x0) {
    if (list == nullptr) {
        return 1;
    }
    TransformCurve(*list, [&](SDPoint& p) { p.x = 2.0 * x0 - p.x; });
    return 0;
}

GeomStatus _math_c_ymirror(FileLineList* list, double y0) {
    if (list == nullptr) {
        return 1;
    }
    TransformCurve(*list, [&](SDPoint& p) { p.y = 2.0 * y0 - p.y; });
    return 0;
}
