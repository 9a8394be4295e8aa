// CCadMgr: the drawing tools: points, lines, rectangles, ellipses, polylines and Bezier curves from the
// mouse, previewed with NotXor on the canvas. Points are in logical units (0.001 mm) here.
#include <cstdlib>

#include "CadMgr.h"
#include "CanvasMapping.h"

using platform::DeviceContext;
using platform::Point;

namespace {

// Horizontal or vertical through the anchor, whichever is nearer; a tie goes horizontal.
Point Snapped(Point anchor, Point to) {
    if (std::abs(std::int64_t{to.x} - anchor.x) >= std::abs(std::int64_t{to.y} - anchor.y)) {
        return {to.x, anchor.y};
    }
    return {anchor.x, to.y};
}

SDPoint Mm(Point logical) {
    return canvas::LogicalToMm(logical);
}

// The pending curve's path, for appending segments.
CCadCurve& PendingCurve(std::unique_ptr<CCadElement>& pending, std::uint32_t colour) {
    if (pending == nullptr) {
        auto curve = std::make_unique<CCadCurve>();
        curve->color = colour;
        pending = std::move(curve);
    }
    return static_cast<CCadCurve&>(*pending);
}

}  // namespace

std::pair<Point, Point> CCadMgr::ShapeCorners(Point to, std::uint32_t flags) const {
    Point first = anchorPoint;
    if ((flags & kControlKey) != 0) {
        const std::int32_t dx = std::abs(to.x - first.x);
        const std::int32_t dy = std::abs(to.y - first.y);
        if (dx < dy) {
            to.y = first.y < to.y ? first.y + dx : first.y - dx;
        } else {
            to.x = first.x < to.x ? first.x + dy : first.x - dy;
        }
    }
    if ((flags & kShiftKey) != 0) {
        first = {2 * first.x - to.x, 2 * first.y - to.y};
    }
    return {first, to};
}

void CCadMgr::DrawShapePreview(DeviceContext& dc, Point to, std::uint32_t flags) {
    const auto [first, second] = ShapeCorners(to, flags);
    if (first == second) {
        return;  // nothing would be created there, and nothing is shown
    }
    const Point a = dc.LPtoDP(first);
    const Point b = dc.LPtoDP(second);
    DeviceContext deviceDC = ownerWindow_->GetClientDC();
    deviceDC.SetROP2(platform::RasterOp::NotXorPen);
    deviceDC.SelectObject(platform::Pen::Solid(1, drawColor));
    deviceDC.SelectObject(platform::Brush::Null());
    if ((toolMode & 0xFF) == (kRectangleTool & 0xFF)) {
        deviceDC.Rectangle(a.x, a.y, b.x, b.y);
    } else {
        DrawEllipseOutline(deviceDC, a.x, a.y, b.x, b.y);
    }
}

void CCadMgr::DrawToolDown(std::uint32_t flags, std::int32_t x, std::int32_t y) {
    if (ownerWindow_ == nullptr) {
        return;
    }
    const Point press = GetPreparedDC().DPtoLP(Point{x, y});
    ++drawState;
    if (drawState == 1) {
        anchorPoint = currentPoint = lastPoint = press;
    }
    switch (toolMode) {
        case kPointTool:
            AddPointAt(press.x, press.y);
            break;
        case kLineTool:
            if (drawState == 2) {
                AddPolyPoint(press.x, press.y, flags & kControlKey);
            }
            break;
        case kBezierTool:
            if (drawState >= 2) {
                currentPoint = press;
                CCadCurve& curve = PendingCurve(pendingElement, drawColor);
                CFileLine segment;
                segment.type = CFileLine::kBezier;
                segment.start = segment.ctrl1 = Mm(anchorPoint);
                segment.end = segment.ctrl2 = Mm(press);
                segment.startJoint =
                    curve.pathList.IsEmpty() != 0 ? CFileLine::kJointCorner : CFileLine::kJointSymmetric;
                segment.endJoint = CFileLine::kJointSymmetric;
                curve.pathList.AddTail(segment);
                anchorPoint = press;
                drawState = 2;
            }
            break;
        case kPolylineTool:
            if (drawState >= 2) {
                const Point to = (flags & kControlKey) != 0 ? Snapped(anchorPoint, press) : press;
                currentPoint = to;
                CFileLine segment;
                segment.start = Mm(anchorPoint);
                segment.end = Mm(to);
                PendingCurve(pendingElement, drawColor).pathList.AddTail(segment);
                anchorPoint = to;
                drawState = 2;
            }
            break;
        default:
            break;
    }
}

void CCadMgr::DrawToolMove(std::uint32_t flags, std::int32_t x, std::int32_t y) {
    if (drawState == 0 || ownerWindow_ == nullptr) {
        return;
    }
    DeviceContext dc = GetPreparedDC();
    const Point pointer = dc.DPtoLP(Point{x, y});
    switch (toolMode) {
        case kLineTool: {
            dc.SetROP2(platform::RasterOp::NotXorPen);
            dc.SelectObject(platform::Pen::Solid(1, drawColor));
            if (lastPoint != anchorPoint) {
                dc.MoveTo(anchorPoint);
                dc.LineTo(lastPoint);
            }
            const Point to = (flags & kControlKey) != 0 ? Snapped(anchorPoint, pointer) : pointer;
            if (to != anchorPoint) {
                dc.MoveTo(anchorPoint);
                dc.LineTo(to);
            }
            lastPoint = to;
            return;
        }
        case kRectangleTool:
        case kEllipseTool:
            if (buttonDown != 0) {
                DrawShapePreview(dc, lastPoint, lastMoveFlags);
                DrawShapePreview(dc, pointer, flags);
                lastMoveFlags = static_cast<std::uint16_t>(flags);
            }
            break;
        case kPolylineTool:
            // The repaint draws the rubber segment to this point (or to the pointer, snapped, with Ctrl).
            lastPoint = pointer;
            Redraw(1, (flags & kControlKey) != 0 ? 1 : 0);
            break;
        case kBezierTool:
            if (buttonDown != 0 && pendingElement != nullptr) {
                auto& path = static_cast<CCadCurve&>(*pendingElement).pathList;
                CFileLine& last = path.head->prev->value;
                const SDPoint p = Mm(pointer);
                last.ctrl2 = {2.0 * last.end.x - p.x, 2.0 * last.end.y - p.y};
                if (path.head->prev->prev != path.head) {
                    const CFileLine& before = path.head->prev->prev->value;
                    last.ctrl1 = {2.0 * before.end.x - before.ctrl2.x, 2.0 * before.end.y - before.ctrl2.y};
                }
                Redraw(1, 0);
            }
            break;
        default:
            break;
    }
    lastPoint = pointer;
}

void CCadMgr::DrawToolUp(std::uint32_t flags, std::int32_t x, std::int32_t y) {
    if (drawState != 1 || ownerWindow_ == nullptr) {
        return;
    }
    const Point release = GetPreparedDC().DPtoLP(Point{x, y});
    if (toolMode == kRectangleTool) {
        FinishRectangle(release.x, release.y, flags);
    } else if (toolMode == kEllipseTool) {
        FinishEllipse(release.x, release.y, flags);
    } else if (toolMode == kTextTool) {
        drawState = 0;  // the view places texts itself
    }
}
