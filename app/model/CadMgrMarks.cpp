// CCadMgr: the marks of the tools and the canvas: the machine-origin mark at the page corner, the
// ellipse rubber band, the point mark, the marks of the selected nodes and the polyline or curve being
// drawn with its rubber segment.
#include <cmath>
#include <cstdlib>

#include "CadMgr.h"
#include "CanvasMapping.h"
#include "DrawExports.h"

using platform::DeviceContext;
using platform::Point;

namespace {

constexpr platform::ColorRef kAxisColour = 0xFF0000;
constexpr platform::ColorRef kOriginSquareColour = 0x0000FF;
constexpr platform::ColorRef kPointMarkColour = 0x0000FF;
constexpr platform::ColorRef kNodeMarkColour = 0x00FF80;
constexpr platform::ColorRef kWhite = 0xFFFFFF;
constexpr int kAxisPixels = 30;
constexpr int kArrowPixels = 8;
constexpr int kOriginSquareHalf = 6;
constexpr int kShrink = 2;
constexpr int kPointMarkHalf = 5;
constexpr int kNodeMarkHalf = 3;
constexpr int kFirstClickHalf = 3;

}  // namespace

void CCadMgr::DrawOriginMark(DeviceContext& mapDC, DeviceContext& drawDC) {
    const std::int32_t axis = PixelsToLogical(mapDC, kAxisPixels);
    const std::int32_t width = ToLogicalUnits(pageWidth);
    const std::int32_t height = ToLogicalUnits(pageHeight);
    Point origin{0, 0};
    switch (originCorner) {
        case 0:
            origin = {0, height};
            break;
        case 1:
            origin = {width, height};
            break;
        case 2:
            origin = {width, 0};
            break;
        default:
            break;
    }
    // The axes point into the page.
    const std::int32_t xStep = origin.x == 0 ? axis : -axis;
    const std::int32_t yStep = origin.y == 0 ? axis : -axis;
    const Point o = mapDC.LPtoDP(origin);
    const Point xEnd = mapDC.LPtoDP(Point{origin.x + xStep, origin.y});
    const Point yEnd = mapDC.LPtoDP(Point{origin.x, origin.y + yStep});
    const int xSign = xEnd.x >= o.x ? 1 : -1;
    const int ySign = yEnd.y >= o.y ? 1 : -1;

    const platform::Pen previousPen = drawDC.SelectObject(platform::Pen::Solid(3, kAxisColour));
    drawDC.MoveTo(o);
    drawDC.LineTo(xEnd);
    drawDC.MoveTo(xEnd.x - xSign * kArrowPixels, xEnd.y - kArrowPixels / 2);
    drawDC.LineTo(xEnd);
    drawDC.LineTo(xEnd.x - xSign * kArrowPixels, xEnd.y + kArrowPixels / 2);
    drawDC.MoveTo(o);
    drawDC.LineTo(yEnd);
    drawDC.MoveTo(yEnd.x - kArrowPixels / 2, yEnd.y - ySign * kArrowPixels);
    drawDC.LineTo(yEnd);
    drawDC.LineTo(yEnd.x + kArrowPixels / 2, yEnd.y - ySign * kArrowPixels);
    drawDC.SelectObject(platform::Pen::Solid(3, kOriginSquareColour));
    const int half = kOriginSquareHalf - kShrink;
    drawDC.Rectangle(o.x - half, o.y - half, o.x + half, o.y + half);
    drawDC.SelectObject(previousPen);
}

bool CCadMgr::DrawEllipseOutline(DeviceContext& dc, std::int32_t x1, std::int32_t y1, std::int32_t x2,
                                 std::int32_t y2) {
    const double cx = (static_cast<double>(x1) + x2) / 2.0;
    const double cy = (static_cast<double>(y1) + y2) / 2.0;
    const double rx = std::abs(static_cast<double>(std::max(x1, x2)) - std::min(x1, x2)) / 2.0;
    const double ry = std::abs(static_cast<double>(std::max(y1, y2)) - std::min(y1, y2)) / 2.0;
    double angle = 0.0;
    for (int i = 0; i <= 100; ++i) {
        const Point p{static_cast<std::int32_t>(std::lround(cx + rx * std::cos(angle))),
                      static_cast<std::int32_t>(std::lround(cy + ry * std::sin(angle)))};
        if (i == 0) {
            dc.MoveTo(p);
        } else {
            dc.LineTo(p);
        }
        angle += 0.06283185307179587;
    }
    return true;
}

void CCadMgr::DrawPointMark(DeviceContext& mapDC, DeviceContext& drawDC) {
    const Point p = canvas::MmToDevice(mapDC, pointMark);
    const platform::Pen previousPen = drawDC.SelectObject(platform::Pen::Solid(1, 0));
    const platform::Brush previousBrush = drawDC.SelectObject(platform::Brush::Solid(kPointMarkColour));
    drawDC.Rectangle(p.x + kPointMarkHalf, p.y + kPointMarkHalf, p.x - kPointMarkHalf, p.y - kPointMarkHalf);
    drawDC.SelectObject(previousBrush);
    drawDC.SelectObject(previousPen);
}

void CCadMgr::DrawNodeMarks(DeviceContext& mapDC, DeviceContext& drawDC) {
    if (nodeSelList.IsEmpty()) {
        return;
    }
    const platform::Pen previousPen = drawDC.SelectObject(platform::Pen::Solid(1, 0));
    const platform::Brush previousBrush = drawDC.SelectObject(platform::Brush::Solid(kNodeMarkColour));
    int drawn = 0;
    for (auto* entry = nodeSelList.head->next; entry != nodeSelList.head; entry = entry->next) {
        const CNodeSel& sel = entry->value;
        if (sel.curve == nullptr || sel.segment == nullptr) {
            break;
        }
        const Point p =
            canvas::MmToDevice(mapDC, sel.param == 1.0 ? sel.segment->value.end : sel.segment->value.start);
        drawDC.Rectangle(p.x + kNodeMarkHalf, p.y + kNodeMarkHalf, p.x - kNodeMarkHalf, p.y - kNodeMarkHalf);
        ++drawn;
    }
    drawDC.SelectObject(previousBrush);
    drawDC.SelectObject(previousPen);
    if (drawn != 1) {
        return;
    }
    const CNodeSel& only = nodeSelList.head->next->value;
    const CCadCurve& curve = *only.curve;
    _draw_bezierctrlline(only.segment->value, &mapDC, &drawDC, kBothHandles);
    CDbList<CFileLine>::Node* neighbour = nullptr;
    if (only.param == 1.0) {
        neighbour = only.segment->next != curve.pathList.head ? only.segment->next
                    : curve.closed == 1                       ? curve.pathList.head->next
                                                              : nullptr;
    } else {
        neighbour = only.segment->prev != curve.pathList.head ? only.segment->prev
                    : curve.closed == 1                       ? curve.pathList.head->prev
                                                              : nullptr;
    }
    if (neighbour != nullptr && neighbour != only.segment) {
        _draw_bezierctrlline(neighbour->value, &mapDC, &drawDC, kBothHandles);
    }
}

void CCadMgr::DrawNodeCursor(DeviceContext& mapDC, DeviceContext& drawDC, int cursorFlag) {
    if ((toolMode & 0x50) == 0) {
        return;
    }
    const Point anchor = mapDC.LPtoDP(anchorPoint);
    if (pendingElement != nullptr) {
        platform::Rect visible{0, 0, drawDC.SurfaceSize().width, drawDC.SurfaceSize().height};
        const platform::Rect logical = mapDC.DPtoLP(visible);
        CCadRect area;
        area.x1 = logical.left * 0.001;
        area.y1 = logical.top * 0.001;
        area.x2 = logical.right * 0.001;
        area.y2 = logical.bottom * 0.001;
        area.Normalize();
        pendingElement->Draw(&mapDC, &drawDC, area, 0.0, 0.0, 0);
    } else {
        const platform::Pen previousPen = drawDC.SelectObject(platform::Pen::Solid(1, 0));
        const platform::Brush previousBrush = drawDC.SelectObject(platform::Brush::Solid(kWhite));
        drawDC.Rectangle(canvas::BoxAround(anchor, kFirstClickHalf));
        drawDC.SelectObject(previousBrush);
        drawDC.SelectObject(previousPen);
    }
    if ((toolMode & 0x10) == 0) {
        return;
    }
    Point end = lastPoint;
    if (cursorFlag != 0 && ownerWindow_ != nullptr) {
        const Point pointer = mapDC.DPtoLP(ownerWindow_->GetCursorPos());
        end = std::abs(std::int64_t{pointer.x} - anchorPoint.x) >=
                      std::abs(std::int64_t{pointer.y} - anchorPoint.y)
                  ? Point{pointer.x, anchorPoint.y}
                  : Point{anchorPoint.x, pointer.y};
    }
    const platform::RasterOp previousRop = drawDC.SetROP2(platform::RasterOp::NotXorPen);
    const platform::Pen previousPen = drawDC.SelectObject(platform::Pen::Solid(1, drawColor));
    drawDC.MoveTo(anchor);
    drawDC.LineTo(mapDC.LPtoDP(end));
    drawDC.SelectObject(previousPen);
    drawDC.SetROP2(previousRop);
}
