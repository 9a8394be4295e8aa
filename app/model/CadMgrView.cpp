// CCadMgr: the canvas mapping, the zooms, the ruler step and the full repaint of the canvas.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

#include "CadMgr.h"
#include "CanvasMapping.h"

using platform::DeviceContext;
using platform::Point;

namespace {

// The logical rectangle of a model rectangle: left, top (the larger y), right, bottom.
platform::Rect LogicalRect(const CCadRect& rect) {
    return {ToLogicalUnits(rect.x1), ToLogicalUnits(rect.y2), ToLogicalUnits(rect.x2),
            ToLogicalUnits(rect.y1)};
}

}  // namespace

DeviceContext CCadMgr::GetPreparedDC() {
    DeviceContext dc = ownerWindow_->GetClientDC();
    PrepareDC(dc);
    return dc;
}

platform::Rect CCadMgr::GetPageRect() const {
    return {0, ToLogicalUnits(pageHeight), ToLogicalUnits(pageWidth), 0};
}

std::int32_t CCadMgr::PixelsToLogical(const DeviceContext& dc, std::int32_t pixels) const {
    const Point a = dc.DPtoLP(Point{0, 0});
    const Point b = dc.DPtoLP(Point{pixels, 0});
    return TruncateToInt32(std::hypot(static_cast<double>(b.x) - a.x, static_cast<double>(b.y) - a.y));
}

void CCadMgr::ZoomToRect(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) {
    if (ownerWindow_ == nullptr) {
        return;
    }
    DeviceContext dc = GetPreparedDC();
    const Point first = dc.DPtoLP(Point{left, top});
    const Point second = dc.DPtoLP(Point{right, bottom});
    const platform::ClientRect client = ownerWindow_->GetClientRect();
    const double zx = std::abs((static_cast<double>(second.x) - first.x) / (client.Width() * 0.98));
    const double zy = std::abs((static_cast<double>(second.y) - first.y) / (client.Height() * 0.98));
    zoomFactor = zx < zy ? zy : zx;
    PrepareDC(dc);
    const auto middle = [](std::int32_t a, std::int32_t b) {
        return static_cast<std::int32_t>((std::int64_t{a} + b) / 2);
    };
    const Point centre = dc.LPtoDP(Point{middle(first.x, second.x), middle(first.y, second.y)});
    viewOffsetX += (client.left + client.right) / 2 - centre.x;
    viewOffsetY += (client.top + client.bottom) / 2 - centre.y;
    Redraw(1, 0);
}

void CCadMgr::ZoomToSelection() {
    if (ownerWindow_ == nullptr || selectionList.IsEmpty()) {
        return;
    }
    const platform::Rect device = GetPreparedDC().LPtoDP(LogicalRect(selectionRect));
    ZoomToRect(device.left, device.top, device.right, device.bottom);
}

void CCadMgr::ZoomToAll() {
    if (ownerWindow_ == nullptr || elementList.IsEmpty()) {
        return;
    }
    CCadRect extent;
    GetDataRect(extent);
    const platform::Rect device = GetPreparedDC().LPtoDP(LogicalRect(extent));
    ZoomToRect(device.left, device.top, device.right, device.bottom);
}

void CCadMgr::ZoomToPage() {
    if (ownerWindow_ == nullptr) {
        return;
    }
    const platform::Rect device = GetPreparedDC().LPtoDP(GetPageRect());
    ZoomToRect(device.left, device.top, device.right, device.bottom);
}

void CCadMgr::ZoomAtPoint(std::uint16_t mode, std::int32_t x, std::int32_t y) {
    if (ownerWindow_ == nullptr) {
        return;
    }
    DeviceContext dc = GetPreparedDC();
    const Point fixed = dc.DPtoLP(Point{x, y});
    if (mode == 4) {
        zoomFactor *= 1.5;
    } else if (mode == 2) {
        zoomFactor *= 0.6666666666666666;
    }
    PrepareDC(dc);
    const Point moved = dc.LPtoDP(fixed);
    viewOffsetY += y - moved.y;
    viewOffsetX += x - moved.x;
    ownerWindow_->RequestRepaint();
}

void CCadMgr::OnMouseWheel(std::uint32_t, std::int16_t delta, Point client) {
    ZoomAtPoint(delta < 0 ? 4 : 2, client.x, client.y);
}

std::uint16_t CCadMgr::NearerBound(double v, double lo, double hi) {
    if (v <= lo) {
        return 1;
    }
    if (v >= hi) {
        return 2;
    }
    return hi - v > v - lo ? 1 : 2;
}

double CCadMgr::GetRulerStep() {
    if (ownerWindow_ == nullptr) {
        return 1.0;
    }
    static constexpr std::array<double, 18> kThresholds = {0.005, 0.01, 0.02, 0.05, 0.1, 0.2, 0.5,  1,   2, 5,
                                                           10,    20,   50,   100,  200, 500, 1000, 2000};
    const DeviceContext dc = GetPreparedDC();
    const auto span = [&dc](std::int32_t pixels) {
        return std::abs(static_cast<double>(dc.DPtoLP(Point{pixels, 0}).x) - dc.DPtoLP(Point{0, 0}).x) *
               0.001;
    };
    const double a = span(100);
    const double b = span(200);
    if (a <= kThresholds[0] || b <= kThresholds[0]) {
        return kThresholds[0] / 10.0;
    }
    for (std::size_t k = 0; k + 1 < kThresholds.size(); ++k) {
        if (a <= kThresholds[k + 1]) {
            return (NearerBound(a, kThresholds[k], kThresholds[k + 1]) == 1 ? kThresholds[k]
                                                                            : kThresholds[k + 1]) /
                   10.0;
        }
        if (b <= kThresholds[k + 1]) {
            return kThresholds[k + 1] / 10.0;
        }
    }
    return 200.0;
}

void CCadMgr::DrawPageFrame(DeviceContext& mapDC, DeviceContext& drawDC) {
    const platform::Brush previousBrush = drawDC.SelectObject(platform::Brush::Null());
    const platform::Pen previousPen = drawDC.SelectObject(platform::Pen::Solid(2, pageFrameColor));
    drawDC.Rectangle(mapDC.LPtoDP(GetPageRect()).Normalized());
    drawDC.SelectObject(previousPen);
    drawDC.SelectObject(previousBrush);
}

void CCadMgr::Redraw(int, int cursorFlag) {
    if (ownerWindow_ == nullptr) {
        return;
    }
    const platform::ClientRect client = ownerWindow_->GetClientRect();
    const platform::Rect clientRect{client.left, client.top, client.right, client.bottom};
    DeviceContext clientDC = ownerWindow_->GetClientDC();
    const platform::Size size{client.Width(), client.Height()};
    if (offscreen_ == nullptr || offscreen_->SurfaceSize() != size) {
        offscreen_ = std::make_unique<DeviceContext>(clientDC.CreateCompatibleDC(size));
    }
    DeviceContext& memDC = *offscreen_;
    memDC.SelectObject(platform::Pen{});
    memDC.SelectObject(platform::Brush{});
    memDC.SetROP2(platform::RasterOp::CopyPen);
    DeviceContext mapDC = GetPreparedDC();

    memDC.FillSolidRect(clientRect, backgroundColor);
    if (gridVisible != 0) {
        DrawGrid(gridStep, mapDC, memDC);
    }
    DrawPageFrame(mapDC, memDC);
    memDC.SelectObject(platform::Brush::Null());
    const platform::Rect logical = mapDC.DPtoLP(clientRect);
    CCadRect visible;
    visible.x1 = logical.left * 0.001;
    visible.y1 = logical.top * 0.001;
    visible.x2 = logical.right * 0.001;
    visible.y2 = logical.bottom * 0.001;
    visible.Normalize();
    DrawDataFrame(mapDC, memDC, visible);
    if ((toolMode & kDrawTools) != 0 && (toolMode & (kPolylineTool | kBezierTool) & 0xFF) != 0 &&
        drawState != 0) {
        DrawNodeCursor(mapDC, memDC, cursorFlag);
    }
    if ((toolMode & kNodeTool) == kNodeTool) {
        DrawNodeMarks(mapDC, memDC);
        if (pointMarkVisible != 0) {
            DrawPointMark(mapDC, memDC);
        }
    }
    DrawOriginMark(mapDC, memDC);
    clientDC.BitBlt(0, 0, client.Width(), client.Height(), memDC, 0, 0);
}
