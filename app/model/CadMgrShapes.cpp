// CCadMgr: the shapes the drawing tools finish (points, lines, rectangles, ellipses) and the completion
// that puts a new element into the drawing as the only selected one. Points are in logical units.
#include <cstdlib>

#include "CadMgr.h"
#include "CadPoint.h"
#include "CanvasMapping.h"

using platform::Point;

namespace {

CFileLine Line(SDPoint from, SDPoint to) {
    CFileLine segment;
    segment.start = from;
    segment.end = to;
    return segment;
}

SDPoint Mm(std::int32_t x, std::int32_t y) {
    return canvas::LogicalToMm({x, y});
}

}  // namespace

void CCadMgr::AddPointAt(std::int32_t x, std::int32_t y) {
    drawState = 0;
    auto point = std::make_unique<CCadPoint>();
    point->color = drawColor;
    point->x = x * 0.001;
    point->y = y * 0.001;
    point->CalRect();
    if (ownerWindow_ != nullptr) {
        anchorPoint = currentPoint = lastPoint = GetPreparedDC().LPtoDP(Point{x, y});
    }
    pendingElement = std::move(point);
    FinishNewElement();
}

void CCadMgr::AddPolyPoint(std::int32_t x, std::int32_t y, std::uint32_t ctrl) {
    drawState = 0;
    if (ctrl != 0) {
        if (std::abs(std::int64_t{x} - anchorPoint.x) < std::abs(std::int64_t{y} - anchorPoint.y)) {
            x = anchorPoint.x;
        } else {
            y = anchorPoint.y;
        }
    }
    auto curve = std::make_unique<CCadCurve>();
    curve->color = drawColor;
    curve->pathList.AddTail(Line(Mm(anchorPoint.x, anchorPoint.y), Mm(x, y)));
    curve->CalRect();
    if (ownerWindow_ != nullptr) {
        anchorPoint = currentPoint = lastPoint = GetPreparedDC().LPtoDP(Point{x, y});
    }
    pendingElement = std::move(curve);
    FinishNewElement();
}

void CCadMgr::FinishRectangle(std::int32_t x, std::int32_t y, std::uint32_t flags) {
    drawState = 0;
    const auto [first, second] = ShapeCorners({x, y}, flags);
    if (first == second) {
        return;
    }
    const SDPoint a = Mm(first.x, first.y);
    const SDPoint b = Mm(second.x, second.y);
    auto curve = std::make_unique<CCadCurve>();
    curve->color = drawColor;
    curve->pathList.AddTail(Line(a, {b.x, a.y}));
    curve->pathList.AddTail(Line({b.x, a.y}, b));
    curve->pathList.AddTail(Line(b, {a.x, b.y}));
    curve->pathList.AddTail(Line({a.x, b.y}, a));
    curve->closed = 1;
    curve->CalRect();
    pendingElement = std::move(curve);
    FinishNewElement();
}

void CCadMgr::FinishEllipse(std::int32_t x, std::int32_t y, std::uint32_t flags) {
    drawState = 0;
    const auto [first, second] = ShapeCorners({x, y}, flags);
    if (first == second) {
        return;
    }
    const double cx = (static_cast<double>(second.x) + first.x) / 2.0 * 0.001;
    const double cy = (static_cast<double>(second.y) + first.y) / 2.0 * 0.001;
    const double rx = std::abs(static_cast<double>(first.x) - second.x) * 0.001 / 2.0;
    const double ry = std::abs(static_cast<double>(first.y) - second.y) * 0.001 / 2.0;
    auto curve = CCadCurve::MakeEllipse(cx - rx, cy - ry, cx + rx, cy + ry);
    curve->color = drawColor;
    curve->UpdateSmooth();
    pendingElement = std::move(curve);
    FinishNewElement();
}

void CCadMgr::FinishNewElement() {
    if (pendingElement == nullptr) {
        return;
    }
    pendingElement->CalRect();
    CCadElement* element = pendingElement.get();
    if (AddElement(element) != 1) {
        pendingElement.reset();
        return;
    }
    pendingElement.release();
    RenumberElements();
    NotifyModified();
    ClearSelection();
    AddToSelection(element);
    CalcSelectionRect();
    PostToOwner(kElementsLoadedMessage);
}
