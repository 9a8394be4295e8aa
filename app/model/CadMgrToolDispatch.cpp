// CCadMgr: the tool mode, the dispatch of the view's mouse messages to the tool groups, the view tools
// (pan, zoom at a point, zoom to a dragged rectangle), the pick tool and the keyboard nudges.
#include <cstdlib>

#include "CadMgr.h"
#include "CanvasMapping.h"
#include "SettingsRecords.h"

using platform::DeviceContext;
using platform::Point;

namespace {

constexpr platform::ColorRef kZoomBandColour = 0xC80000;

bool IsNodeMode(std::uint32_t mode) {
    return (mode & CCadMgr::kNodeTool) == CCadMgr::kNodeTool;
}

}  // namespace

std::uint32_t CCadMgr::SetToolMode(std::uint32_t mode) {
    NodeEditOn = 0;
    CutPickOn = 0;
    drawState = 0;
    if ((toolMode & kDrawTools) != 0 && pendingElement != nullptr) {
        CompletePendingCurve();
    }
    ClearNodeSelection();
    toolMode = mode;
    NodeEditOn = IsNodeMode(mode) ? 1 : 0;
    CutPickOn = (mode & kPickTools) != 0 && (mode & 0x6) != 0 ? 1 : 0;
    return toolMode;
}

void CCadMgr::CompletePendingCurve() {
    pendingElement->CalRect();
    if (pendingElement->typeCode == kCurveElement) {
        pendingElement->AutoClose(gFileParaSettings.closeErrorMm, 0);
    }
    drawState = 0;
    FinishNewElement();
}

void CCadMgr::OnLButtonDown(std::uint32_t flags, std::int32_t x, std::int32_t y) {
    if (ownerWindow_ != nullptr) {
        ownerWindow_->SetCapture();
    }
    buttonDown = 1;
    lastMoveFlags = 0;
    if ((toolMode & kViewTools) != 0) {
        ViewToolDown(flags, x, y);
    } else if ((toolMode & kDrawTools) != 0) {
        DrawToolDown(flags, x, y);
    } else if ((toolMode & kSelectTools) != 0) {
        SelectToolDown(flags, x, y);
    } else if ((toolMode & kPickTools) != 0) {
        PickToolDown(flags, x, y);
    } else if (IsNodeMode(toolMode)) {
        NodeToolDown(flags, x, y);
    }
}

void CCadMgr::OnMouseMove(std::uint32_t flags, std::int32_t x, std::int32_t y) {
    if ((toolMode & kViewTools) != 0) {
        ViewToolMove(flags, x, y);
    } else if ((toolMode & kDrawTools) != 0) {
        DrawToolMove(flags, x, y);
    } else if ((toolMode & kSelectTools) != 0) {
        SelectToolMove(flags, x, y);
    } else if (IsNodeMode(toolMode)) {
        NodeToolMove(flags, x, y);
    }
}

void CCadMgr::OnLButtonUp(std::uint32_t flags, std::int32_t x, std::int32_t y) {
    if (ownerWindow_ != nullptr) {
        ownerWindow_->ReleaseCapture();
    }
    buttonDown = 0;
    if ((toolMode & kViewTools) != 0) {
        ViewToolUp(flags, x, y);
    } else if ((toolMode & kDrawTools) != 0) {
        DrawToolUp(flags, x, y);
    } else if ((toolMode & kSelectTools) != 0) {
        SelectToolUp(flags, x, y);
        // The owner relays it to the main window, which refreshes its panels from the selection.
        PostToOwner(kSelectionReleasedMessage);
    } else if (IsNodeMode(toolMode)) {
        NodeToolUp(flags, x, y);
    }
}

void CCadMgr::OnRButtonDown(std::uint32_t, std::int32_t, std::int32_t) {
    if ((toolMode & kDrawTools) != 0) {
        if ((toolMode & 0x50) != 0 && drawState == 2 && pendingElement != nullptr) {
            CompletePendingCurve();
        }
    } else if (IsNodeMode(toolMode)) {
        ClearNodeSelection();
        ClearSelection();
        PostToOwner(kSelectionMovedMessage);
    }
}

void CCadMgr::ViewToolDown(std::uint32_t, std::int32_t x, std::int32_t y) {
    anchorPoint = currentPoint = lastPoint = {x, y};
    if ((toolMode & 0x2) != 0) {
        ZoomAtPoint(2, x, y);
    } else if ((toolMode & 0x4) != 0) {
        ZoomAtPoint(4, x, y);
    }
}

void CCadMgr::ViewToolMove(std::uint32_t, std::int32_t x, std::int32_t y) {
    if (buttonDown == 0 || ownerWindow_ == nullptr) {
        return;
    }
    if ((toolMode & 0x1) != 0) {
        viewOffsetX += x - anchorPoint.x;
        viewOffsetY += y - anchorPoint.y;
        anchorPoint = {x, y};
        ownerWindow_->RequestRepaint();
    } else if ((toolMode & 0x8) != 0) {
        DeviceContext dc = ownerWindow_->GetClientDC();
        dc.SelectObject(platform::Pen::Styled(platform::PenStyle::DashDot, 1, kZoomBandColour));
        DrawRubberBand(dc, anchorPoint, currentPoint);
        DrawRubberBand(dc, anchorPoint, {x, y});
        currentPoint = {x, y};
    }
}

void CCadMgr::ViewToolUp(std::uint32_t, std::int32_t x, std::int32_t y) {
    if ((toolMode & 0x8) != 0 && Point{x, y} != anchorPoint) {
        ZoomToRect(anchorPoint.x, anchorPoint.y, x, y);
    }
}

void CCadMgr::DrawRubberBand(DeviceContext& dc, Point from, Point to) const {
    dc.SetROP2(platform::RasterOp::NotXorPen);
    dc.SelectObject(platform::Brush::Null());
    dc.Rectangle(from.x, from.y, to.x, to.y);
}

void CCadMgr::PickToolDown(std::uint32_t, std::int32_t x, std::int32_t y) {
    if ((toolMode != kCutPointPick && toolMode != kCutDirectionPick) || ownerWindow_ == nullptr) {
        return;
    }
    anchorPoint = currentPoint = lastPoint = {x, y};
    DeviceContext dc = GetPreparedDC();
    const Point logical = dc.DPtoLP(Point{x, y});
    CCadElement* hit = FirstHitElement(logical.x, logical.y, dc, false);
    ClearSelection();
    AddToSelection(hit);
    PostToOwner(kSelectionMovedMessage);
}

void CCadMgr::OnArrowKey(ArrowKey key, bool ctrl, bool pressed, double step, double angle) {
    if (selectionList.IsEmpty()) {
        return;
    }
    if (ctrl) {
        const bool counterclockwise = key == ArrowKey::Up || key == ArrowKey::Left;
        NudgeRotateSelection(pressed ? (counterclockwise ? angle : -angle) : 0.0, pressed ? 0 : 1);
        return;
    }
    const bool alongX = key == ArrowKey::Left || key == ArrowKey::Right;
    const std::int16_t sign = key == ArrowKey::Left || key == ArrowKey::Down ? -1 : 1;
    NudgeSelection(alongX ? 1 : 2, sign, pressed ? step : 0.0, pressed ? 0 : 1);
}

void CCadMgr::NudgeSelection(std::uint16_t axis, std::int16_t sign, double step, int notify) {
    const double direction = sign == -1 ? -1.0 : 1.0;
    const double dx = axis == 1 ? step : 0.0;
    const double dy = axis == 2 ? step : 0.0;
    MoveSelection(dx * direction, dy * direction, notify);
    elementIndex_.Invalidate();  // a run of presses reports the change only at the key's release
    PostToOwner(kSelectionMovedMessage);
}

void CCadMgr::NudgeRotateSelection(double angle, int notify) {
    if (angle != 0.0) {
        RotateSelection(angle);
    }
    if (notify != 0) {
        NotifyModified();
    }
    PostToOwner(kSelectionMovedMessage);
}

void CCadMgr::PostMessageToOwner(std::uint32_t message, std::intptr_t lParam) {
    if (ownerWindow_ != nullptr) {
        ownerWindow_->PostMessage(message, 0, lParam);
    }
}
