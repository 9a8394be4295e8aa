// CBaseCurve drawing: the curve, its transformed previews and node marks, and the picking that needs
// a device context to turn pixels into millimetres.
#include <cmath>

#include "BaseCurve.h"
#include "DeviceContext.h"
#include "LogicalUnits.h"

namespace {

using Node = CDbList<CLineEx>::Node;

// Node marks are squares 3 device pixels to either side of the node; picking a node allows 5 pixels.
constexpr std::int32_t kNodeMarkHalfSize = 3;
constexpr unsigned int kNodePickPixels = 5;

// Traces the segments as adjusted by `adjust`, with points placed by `place`: a move to the first start,
// then a line to the end of each straight segment, and for a Bezier the cubic through start, first
// control, second control and end followed by a move to its end. Arcs and unknown types are not drawn.
template <typename Adjust, typename Place>
void TraceSegments(platform::DeviceContext& dc, const CDbList<CLineEx>& segments, Adjust adjust,
                   Place place) {
    for (Node* node = segments.head->next; node != segments.head; node = node->next) {
        CLineEx segment = node->value;
        adjust(segment);
        if (node == segments.head->next) {
            dc.MoveTo(place(segment.p0));
        }
        if (segment.IsStraight()) {
            dc.LineTo(place(segment.p1));
        } else if (segment.type == CLineEx::kBezier) {
            const platform::Point points[] = {place(segment.p0), place(segment.p2), place(segment.p3),
                                              place(segment.p1)};
            dc.PolyBezier(points);
            dc.MoveTo(place(segment.p1));
        }
    }
}

platform::Point InLogicalUnits(SDPoint mm) {
    return ToLogicalUnits(mm);
}

// Logical units along x that `pixels` device pixels span in the context's mapping.
double PixelsInLogicalUnits(const platform::DeviceContext& dc, unsigned int pixels) {
    const auto span = dc.DPtoLP(platform::Point{static_cast<std::int32_t>(pixels), 0});
    const auto origin = dc.DPtoLP(platform::Point{0, 0});
    return std::fabs(static_cast<double>(span.x) - origin.x);
}

void RotatePoint(SDPoint& point, double cx, double cy, double cosAngle, double sinAngle) {
    const double x = point.x - cx, y = point.y - cy;
    point = {cx + x * cosAngle - y * sinAngle, cy + y * cosAngle + x * sinAngle};
}

}  // namespace

void CBaseCurve::DrawMove(platform::DeviceContext* dc, double dx, double dy) {
    if (dc == nullptr) {
        return;
    }
    TraceSegments(
        *dc, segments, [dx, dy](CLineEx& segment) { segment.Move(dx, dy); }, InLogicalUnits);
}

void CBaseCurve::DrawRotate(platform::DeviceContext* dc, double cx, double cy, double angle) {
    if (dc == nullptr || angle == 0.0) {
        return;
    }
    const double cosAngle = std::cos(angle), sinAngle = std::sin(angle);
    auto rotate = [=](CLineEx& segment) {
        RotatePoint(segment.p0, cx, cy, cosAngle, sinAngle);
        RotatePoint(segment.p1, cx, cy, cosAngle, sinAngle);
        if (segment.type == CLineEx::kBezier) {
            RotatePoint(segment.p2, cx, cy, cosAngle, sinAngle);
            RotatePoint(segment.p3, cx, cy, cosAngle, sinAngle);
        }
    };
    TraceSegments(*dc, segments, rotate, InLogicalUnits);
}

void CBaseCurve::DrawDrag(platform::DeviceContext* dc, double sx, double sy, double cx, double cy) {
    if (dc == nullptr) {
        return;
    }
    auto scale = [=](CLineEx& segment) {
        const int scaledPoints = segment.type == CLineEx::kBezier ? 4 : 2;
        SDPoint* points[] = {&segment.p0, &segment.p1, &segment.p2, &segment.p3};
        for (int index = 0; index < scaledPoints; ++index) {
            if (sx != 1.0) {
                points[index]->x = cx + sx * (points[index]->x - cx);
            }
            if (sy != 1.0) {
                points[index]->y = cy + sy * (points[index]->y - cy);
            }
        }
    };
    TraceSegments(*dc, segments, scale, InLogicalUnits);
}

void CBaseCurve::Draw(platform::DeviceContext* mapDC, platform::DeviceContext* drawDC, std::uint32_t colour) {
    if (mapDC == nullptr || drawDC == nullptr || segments.IsEmpty()) {
        return;
    }
    const platform::Pen previous = drawDC->SelectObject(platform::Pen::Solid(1, colour));
    auto toDevice = [mapDC](SDPoint mm) { return mapDC->LPtoDP(ToLogicalUnits(mm)); };
    TraceSegments(
        *drawDC, segments, [](CLineEx&) {}, toDevice);
    drawDC->SelectObject(previous);
}

void CBaseCurve::DrawGraphicPoint(platform::DeviceContext* drawDC, platform::DeviceContext* mapDC) {
    if (drawDC == nullptr || mapDC == nullptr || segments.IsEmpty()) {
        return;
    }
    const platform::Pen previousPen = drawDC->SelectObject(platform::Pen::Solid(1, platform::Rgb(0, 0, 0)));
    const platform::Brush previousBrush =
        drawDC->SelectObject(platform::Brush::Solid(platform::Rgb(255, 255, 255)));
    auto mark = [&](SDPoint mm) {
        const platform::Point centre = mapDC->LPtoDP(ToLogicalUnits(mm));
        drawDC->Rectangle(centre.x - kNodeMarkHalfSize, centre.y - kNodeMarkHalfSize,
                          centre.x + kNodeMarkHalfSize, centre.y + kNodeMarkHalfSize);
    };
    mark(segments.head->next->value.p0);
    for (Node* node = segments.head->next; node != segments.head; node = node->next) {
        mark(node->value.p0);
    }
    drawDC->SelectObject(previousBrush);
    drawDC->SelectObject(previousPen);
}

int CBaseCurve::Select(platform::DeviceContext* dc, SDPoint p, unsigned int pixels) {
    if (dc == nullptr) {
        return 0;
    }
    const double tolerance = PixelsInLogicalUnits(*dc, pixels);
    long index = 0;
    double t = 0.0;
    const SDPoint mm{p.x / kLogicalUnitsPerMm, p.y / kLogicalUnitsPerMm};
    return HitTest(mm, tolerance / kLogicalUnitsPerMm, index, t);
}

int CBaseCurve::DbSelect(SDPoint p, platform::DeviceContext* dc, unsigned short mode) {
    if (dc == nullptr) {
        return 0;
    }
    const double tolerance = PixelsInLogicalUnits(*dc, kNodePickPixels);
    const SDPoint mm{p.x / kLogicalUnitsPerMm, p.y / kLogicalUnitsPerMm};
    int picked = 0;
    Node* node = segments.head->next;
    for (; node != segments.head; node = node->next, ++picked) {
        const double dx = node->value.p0.x - mm.x, dy = node->value.p0.y - mm.y;
        if (std::trunc(std::sqrt(dx * dx + dy * dy) * kLogicalUnitsPerMm) < tolerance) {
            break;
        }
    }
    if (node == segments.head) {
        return 0;
    }
    if (mode == 0) {
        TransDir();
    } else if (IsClose() && picked >= 1) {
        // Re-seat the sentinel in front of the picked node: the segments before it move to the end in order.
        segments.head->prev->next = segments.head->next;
        segments.head->next->prev = segments.head->prev;
        segments.head->prev = node->prev;
        segments.head->next = node;
        node->prev->next = segments.head;
        node->prev = segments.head;
        segments.cursor = segments.head;
    }
    return 1;
}
