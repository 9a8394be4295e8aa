// CCadMgr: the select tool: clicks, Shift+clicks and rubber bands select; the handles of the selection
// frame scale, mirror and move it; the rotate mode turns it by dragging. Previews are drawn twice with
// NotXor, once to erase the last one and once at the pointer; a preview at the press point is empty.
#include <algorithm>
#include <cmath>
#include <limits>

#include "CadMgr.h"
#include "CanvasMapping.h"

using platform::DeviceContext;
using platform::Point;

namespace {

constexpr platform::ColorRef kPreviewColour = 0xC88000;
constexpr platform::ColorRef kBandColour = 0xC80000;
constexpr int kHandleHalf = 3;               // pixels on each side of a handle position
constexpr double kZeroExtentWidening = 0.5;  // mm

bool IsCorner(std::uint16_t handle) {
    return handle == 1 || handle == 3 || handle == 7 || handle == 9;
}

// The handle code (1..9) that the select mode carries, 0 for none.
std::uint16_t HandleOfMode(std::uint32_t mode) {
    for (std::uint16_t k = 1; k <= 9; ++k) {
        if ((mode & (2u << (k - 1))) != 0) {
            return k;
        }
    }
    return 0;
}

std::uint32_t ModeOfHandle(std::uint16_t handle) {
    return CCadMgr::kSelectTools + (2u << (handle - 1));
}

double SignOf(double value, bool zeroIsPositive) {
    if (value == 0.0) {
        return zeroIsPositive ? 1.0 : 0.0;
    }
    return value < 0.0 ? -1.0 : 1.0;
}

}  // namespace

CCadRect CCadMgr::HandleFrame() const {
    CCadRect frame = selectionRect;
    if (frame.x1 == frame.x2) {
        frame.x1 -= kZeroExtentWidening;
        frame.x2 += kZeroExtentWidening;
    }
    if (frame.y1 == frame.y2) {
        frame.y1 -= kZeroExtentWidening;
        frame.y2 += kZeroExtentWidening;
    }
    return frame;
}

std::array<SDPoint, 9> CCadMgr::HandlePositions() const {
    const CCadRect f = HandleFrame();
    const double mx = (f.x1 + f.x2) * 0.5;
    const double my = (f.y1 + f.y2) * 0.5;
    return {SDPoint{f.x1, f.y2}, {mx, f.y2},   {f.x2, f.y2}, {f.x1, my},  {mx, my},
            {f.x2, my},          {f.x1, f.y1}, {mx, f.y1},   {f.x2, f.y1}};
}

std::uint16_t CCadMgr::HitHandle(std::int32_t x, std::int32_t y) {
    if (selectionList.IsEmpty() || ownerWindow_ == nullptr) {
        return 0;
    }
    const DeviceContext dc = GetPreparedDC();
    const bool flatX = std::abs(selectionRect.x2 - selectionRect.x1) == 0.0;
    const bool flatY = std::abs(selectionRect.y2 - selectionRect.y1) == 0.0;
    const std::array<SDPoint, 9> positions = HandlePositions();
    for (std::uint16_t i = 0; i < positions.size(); ++i) {
        const Point at = canvas::MmToDeviceRounded(dc, positions[i]);
        if (x < at.x - kHandleHalf || x >= at.x + kHandleHalf || y < at.y - kHandleHalf ||
            y >= at.y + kHandleHalf) {
            continue;
        }
        if (flatX && flatY) {
            return 5;
        }
        if (flatX) {
            return static_cast<std::uint16_t>(2 + 3 * (i / 3));
        }
        if (flatY) {
            return static_cast<std::uint16_t>(4 + i % 3);
        }
        return static_cast<std::uint16_t>(i + 1);
    }
    return 0;
}

void CCadMgr::SelectToolDown(std::uint32_t flags, std::int32_t x, std::int32_t y) {
    anchorPoint = currentPoint = lastPoint = {x, y};
    if ((toolMode & 0x400) != 0 || ownerWindow_ == nullptr) {
        return;
    }
    if (!selectionList.IsEmpty()) {
        if (const std::uint16_t handle = HitHandle(x, y); handle > 0) {
            toolMode = ModeOfHandle(handle);
            return;
        }
    }
    DeviceContext dc = GetPreparedDC();
    const Point logical = dc.DPtoLP(Point{x, y});
    CCadElement* hit = FirstHitElement(logical.x, logical.y, dc, false);
    const bool shift = (flags & kShiftKey) != 0;
    if (hit == nullptr) {
        if (!shift) {
            ClearSelection();
        }
    } else if (!shift) {
        ClearSelection();
        AddToSelection(hit);
    } else if (hit->GetSelect() != 0) {
        RemoveFromSelection(hit);
    } else {
        AddToSelection(hit);
    }
    PostToOwner(kSelectionMovedMessage);
}

void CCadMgr::SelectToolMove(std::uint32_t, std::int32_t x, std::int32_t y) {
    if (buttonDown == 0) {
        if ((toolMode & 0x400) == 0) {
            toolMode = kSelectTool;
            if (const std::uint16_t handle = HitHandle(x, y); handle > 0) {
                toolMode = ModeOfHandle(handle);
            }
        }
        return;
    }
    if (ownerWindow_ == nullptr) {
        return;
    }
    const Point pointer{x, y};
    const std::uint16_t handle = HandleOfMode(toolMode);
    if (handle == 0 && (toolMode & 0x400) == 0) {
        DeviceContext bandDC = ownerWindow_->GetClientDC();
        bandDC.SelectObject(platform::Pen::Styled(platform::PenStyle::DashDot, 1, kBandColour));
        if (lastPoint != anchorPoint) {
            DrawRubberBand(bandDC, anchorPoint, lastPoint);
        }
        if (pointer != anchorPoint) {
            DrawRubberBand(bandDC, anchorPoint, pointer);
        }
        lastPoint = pointer;
        return;
    }
    DeviceContext dc = GetPreparedDC();
    dc.SetROP2(platform::RasterOp::NotXorPen);
    dc.SelectObject(platform::Pen::Solid(1, kPreviewColour));
    dc.SelectObject(platform::Brush::Null());
    if (handle == 5) {
        DrawMovePreview(dc, anchorPoint, lastPoint, pointer);
    } else if (handle > 0) {
        DrawScalePreview(dc, handle, lastPoint, pointer);
    } else {
        DrawRotatePreview(dc, anchorPoint, lastPoint, pointer);
    }
    lastPoint = pointer;
}

void CCadMgr::SelectToolUp(std::uint32_t flags, std::int32_t x, std::int32_t y) {
    if (ownerWindow_ == nullptr) {
        return;
    }
    const Point release{x, y};
    DeviceContext dc = GetPreparedDC();
    const std::uint16_t handle = HandleOfMode(toolMode);
    if (handle == 5) {
        MoveSelectionByDrag(dc, anchorPoint, release);
    } else if (handle > 0) {
        ScaleSelectionByHandle(dc, handle, release);
    } else if ((toolMode & 0x400) != 0) {
        RotateSelectionByDrag(dc, anchorPoint, release);
    } else if (release != anchorPoint) {
        const platform::Rect device = platform::Rect{anchorPoint.x, anchorPoint.y, x, y}.Normalized();
        const platform::Rect logical = dc.DPtoLP(device);
        CCadRect band;
        band.x1 = logical.left * 0.001;
        band.y1 = logical.top * 0.001;
        band.x2 = logical.right * 0.001;
        band.y2 = logical.bottom * 0.001;
        band.Normalize();
        if ((flags & kShiftKey) == 0) {
            ClearSelection();
        }
        for (CCadElement* element : ElementsInRect(band)) {
            AddToSelection(element);
        }
        CalcSelectionRect();
    }
    Redraw(1, 0);
    PostToOwner(kSelectionMovedMessage);
}

void CCadMgr::MoveSelectionByDrag(DeviceContext& dc, Point anchor, Point release) {
    const Point from = dc.DPtoLP(anchor);
    const Point to = dc.DPtoLP(release);
    MoveSelection((static_cast<double>(to.x) - from.x) * 0.001, (static_cast<double>(to.y) - from.y) * 0.001,
                  1);
}

SDPoint CCadMgr::ScaleReference(std::uint16_t handle) const {
    const CCadRect& r = selectionRect;
    switch (handle) {
        case 1:
            return {r.x2, r.y1};
        case 2:
            return {0.0, r.y1};
        case 3:
            return {r.x1, r.y1};
        case 4:
            return {r.x2, 0.0};
        case 6:
            return {r.x1, 0.0};
        case 7:
            return {r.x2, r.y2};
        case 8:
            return {0.0, r.y2};
        case 9:
            return {r.x1, r.y2};
        default:
            return {};
    }
}

std::pair<double, double> CCadMgr::ScaleFactors(const DeviceContext& dc, std::uint16_t handle, Point at,
                                                bool release) const {
    const SDPoint reference = ScaleReference(handle);
    const SDPoint p = canvas::DeviceToMm(dc, at);
    const double w = selectionRect.x2 - selectionRect.x1;
    const double h = selectionRect.y2 - selectionRect.y1;
    double sx = w == 0.0 ? 1.0 : (p.x - reference.x) / w;
    double sy = h == 0.0 ? 1.0 : (p.y - reference.y) / h;
    if (handle == 1 || handle == 4 || handle == 7) {
        sx = -sx;
    }
    if (handle == 7 || handle == 8 || handle == 9) {
        sy = -sy;
    }
    if (IsCorner(handle)) {
        const double s = std::min(std::abs(sx), std::abs(sy));
        sx = s * SignOf(sx, release);
        sy = s * SignOf(sy, release);
    }
    if (handle == 2 || handle == 8) {
        sx = 1.0;
    }
    if (handle == 4 || handle == 6) {
        sy = 1.0;
    }
    return {sx, sy};
}

void CCadMgr::DrawMovePreview(DeviceContext& dc, Point anchor, Point last, Point current) {
    const Point origin = dc.DPtoLP(anchor);
    const auto offset = [&](Point device) {
        const Point logical = dc.DPtoLP(device);
        return SDPoint{(static_cast<double>(logical.x) - origin.x) * 0.001,
                       (static_cast<double>(logical.y) - origin.y) * 0.001};
    };
    const SDPoint before = offset(last);
    const SDPoint now = offset(current);
    for (CCadElement* element : SelectedElements()) {
        if (last != anchor) {
            element->DrawMove(&dc, before.x, before.y);
        }
        if (current != anchor) {
            element->DrawMove(&dc, now.x, now.y);
        }
    }
}

void CCadMgr::DrawScalePreview(DeviceContext& dc, std::uint16_t handle, Point last, Point current) {
    if (selectionList.IsEmpty()) {
        return;
    }
    const SDPoint reference = ScaleReference(handle);
    const auto [lastX, lastY] = ScaleFactors(dc, handle, last, false);
    const auto [nowX, nowY] = ScaleFactors(dc, handle, current, false);
    for (CCadElement* element : SelectedElements()) {
        if (last != anchorPoint) {
            element->DrawDrag(&dc, lastX, lastY, reference.x, reference.y);
        }
        if (current != anchorPoint) {
            element->DrawDrag(&dc, nowX, nowY, reference.x, reference.y);
        }
    }
}

void CCadMgr::ScaleSelectionByHandle(DeviceContext& dc, std::uint16_t handle, Point release) {
    if (selectionList.IsEmpty()) {
        return;
    }
    const auto [sx, sy] = ScaleFactors(dc, handle, release, true);
    ScaleSelection(sx, sy, handle);
}

void CCadMgr::ScaleSelection(double sx, double sy, std::uint16_t handle) {
    if (selectionList.IsEmpty() || (sx == 1.0 && sy == 1.0)) {
        return;
    }
    const SDPoint reference = ScaleReference(handle);
    for (CCadElement* element : SelectedElements()) {
        element->TransDrag(sx, sy, reference.x, reference.y);
    }
    CalcSelectionRect();
    Redraw(1, 0);
    NotifyModified();
}

double CCadMgr::DragAngle(const DeviceContext& dc, Point p, Point q) const {
    const double cx = (selectionRect.x1 + selectionRect.x2) * 0.5;
    const double cy = (selectionRect.y1 + selectionRect.y2) * 0.5;
    const SDPoint from = canvas::DeviceToMm(dc, p);
    const SDPoint to = canvas::DeviceToMm(dc, q);
    const double ux = from.x - cx, uy = from.y - cy;
    const double vx = to.x - cx, vy = to.y - cy;
    const double d1 = std::hypot(ux, uy);
    const double d2 = std::hypot(vx, vy);
    const double d3 = std::hypot(ux - vx, uy - vy);
    if (d1 == 0.0 || d2 == 0.0) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    // Rounding can carry the cosine just past -1 or 1, where arccos has no value.
    const double cosine = std::clamp((d1 * d1 + d2 * d2 - d3 * d3) / (2.0 * d1 * d2), -1.0, 1.0);
    return std::acos(cosine) * (ux * vy - uy * vx > 0.0 ? 1.0 : -1.0);
}

void CCadMgr::RotateSelectionByDrag(DeviceContext& dc, Point p0, Point p1) {
    if (selectionList.IsEmpty()) {
        return;
    }
    const double angle = DragAngle(dc, p0, p1);
    if (!std::isnan(angle)) {
        RotateSelection(angle);
    }
}

void CCadMgr::DrawRotatePreview(DeviceContext& dc, Point p0, Point p1, Point p2) {
    if (selectionList.IsEmpty()) {
        return;
    }
    const double cx = (selectionRect.x1 + selectionRect.x2) * 0.5;
    const double cy = (selectionRect.y1 + selectionRect.y2) * 0.5;
    const double before = DragAngle(dc, p0, p1);
    const double now = DragAngle(dc, p0, p2);
    const auto shown = [](double angle) { return !std::isnan(angle) && angle != 0.0; };
    for (CCadElement* element : SelectedElements()) {
        if (shown(before)) {
            element->DrawRotate(&dc, cx, cy, before);
        }
        if (shown(now)) {
            element->DrawRotate(&dc, cx, cy, now);
        }
    }
}
