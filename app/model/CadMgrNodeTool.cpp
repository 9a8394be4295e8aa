// CCadMgr: the node-editing tool: picking curves, nodes and Bezier handles, dragging them with previews,
// the node rubber band, and double-clicks that delete or insert nodes (or, in the pick modes, set the
// cut start point or direction).
#include <cmath>

#include "CadMgr.h"
#include "CanvasMapping.h"
#include "DrawExports.h"

using platform::DeviceContext;
using platform::Point;
using SegmentNode = CDbList<CFileLine>::Node;

namespace {

constexpr int kPressTolerancePixels = 4;
constexpr int kHoverTolerancePixels = 3;
constexpr platform::ColorRef kBandColour = 0xC80000;
constexpr platform::ColorRef kPreviewColour = 0xC88000;
constexpr int kNodeMarkHalf = 2;

bool Within(SDPoint a, SDPoint b, double tolerance) {
    return std::hypot(a.x - b.x, a.y - b.y) <= tolerance;
}

SDPoint Plus(SDPoint a, SDPoint d) {
    return {a.x + d.x, a.y + d.y};
}

bool Inside(const CCadRect& band, SDPoint p) {
    return p.x >= band.x1 && p.x <= band.x2 && p.y >= band.y1 && p.y <= band.y2;
}

// The segment before or after one in its curve, wrapping round a closed curve; null at an open end.
SegmentNode* Previous(const CCadCurve& curve, SegmentNode* segment) {
    if (segment->prev != curve.pathList.head) {
        return segment->prev;
    }
    return curve.closed == 1 ? curve.pathList.head->prev : nullptr;
}

SegmentNode* Next(const CCadCurve& curve, SegmentNode* segment) {
    if (segment->next != curve.pathList.head) {
        return segment->next;
    }
    return curve.closed == 1 ? curve.pathList.head->next : nullptr;
}

bool StartSelected(const CCadCurve& curve, SegmentNode* segment) {
    if ((segment->value.nodeSelected & CFileLine::kStartSelected) != 0) {
        return true;
    }
    SegmentNode* before = Previous(curve, segment);
    return before != nullptr && (before->value.nodeSelected & CFileLine::kEndSelected) != 0;
}

bool EndSelected(const CCadCurve& curve, SegmentNode* segment) {
    if ((segment->value.nodeSelected & CFileLine::kEndSelected) != 0) {
        return true;
    }
    SegmentNode* after = Next(curve, segment);
    return after == curve.pathList.head->next && (after->value.nodeSelected & CFileLine::kStartSelected) != 0;
}

void MoveStart(CFileLine& segment, SDPoint d) {
    segment.start = Plus(segment.start, d);
    if (segment.IsBezier()) {
        segment.ctrl1 = Plus(segment.ctrl1, d);
    }
}

void MoveEnd(CFileLine& segment, SDPoint d) {
    segment.end = Plus(segment.end, d);
    if (segment.IsBezier()) {
        segment.ctrl2 = Plus(segment.ctrl2, d);
    }
}

SDPoint& HandleOf(CFileLine& segment, double which) {
    return which == 0.0 ? segment.ctrl1 : segment.ctrl2;
}

// The neighbour's handle across the joint follows a moved handle: mirrored at a symmetric joint, kept
// on the line through the joint with its own length at a smooth one.
void FollowHandle(SDPoint moved, SDPoint joint, std::uint16_t jointCode, SDPoint& other) {
    if (jointCode == CFileLine::kJointSymmetric) {
        other = {2.0 * joint.x - moved.x, 2.0 * joint.y - moved.y};
        return;
    }
    const double length = std::hypot(joint.x - moved.x, joint.y - moved.y);
    if (length == 0.0) {
        return;
    }
    const double share = std::hypot(other.x - joint.x, other.y - joint.y) / length;
    other = {joint.x + (joint.x - moved.x) * share, joint.y + (joint.y - moved.y) * share};
}

}  // namespace

CCadMgr::NodeGrab CCadMgr::GrabNodeSelection(SDPoint at, double tolerance, bool keepHandle) {
    for (auto* entry = nodeSelList.head->next; entry != nodeSelList.head; entry = entry->next) {
        CNodeSel& sel = entry->value;
        if (sel.curve == nullptr || sel.segment == nullptr) {
            continue;
        }
        CFileLine& own = sel.segment->value;
        const bool atStart = sel.param == 0.0;
        if (Within(atStart ? own.start : own.end, at, tolerance)) {
            return NodeGrab::Node;
        }
        SegmentNode* handleSegment = nullptr;
        double which = 0.0;
        if (own.IsBezier() && Within(atStart ? own.ctrl1 : own.ctrl2, at, tolerance)) {
            handleSegment = sel.segment;
            which = atStart ? 0.0 : 1.0;
        } else if (SegmentNode* across =
                       atStart ? Previous(*sel.curve, sel.segment) : Next(*sel.curve, sel.segment);
                   across != nullptr && across->value.IsBezier() &&
                   Within(atStart ? across->value.ctrl2 : across->value.ctrl1, at, tolerance)) {
            handleSegment = across;
            which = atStart ? 1.0 : 0.0;
        }
        if (handleSegment == nullptr) {
            continue;
        }
        if (keepHandle) {
            if (handleSegment != sel.segment) {
                own.nodeSelected = 0;
            }
            handleSegment->value.nodeSelected = which == 0.0 ? 1 : 2;
            grabbedHandle = {sel.curve, handleSegment, which};
            sel = grabbedHandle;
        }
        return NodeGrab::Handle;
    }
    return NodeGrab::None;
}

void CCadMgr::NodeToolDown(std::uint32_t flags, std::int32_t x, std::int32_t y) {
    anchorPoint = currentPoint = lastPoint = {x, y};
    pointMarkVisible = 0;
    nodeDragKind = kGrabbedNothing;
    if (ownerWindow_ == nullptr) {
        return;
    }
    if (elementList.IsEmpty()) {
        ClearNodeSelection();
        Redraw(1, 0);
        return;
    }
    DeviceContext dc = GetPreparedDC();
    const SDPoint at = canvas::DeviceToMm(dc, {x, y});
    const double tolerance = PixelsToLogical(dc, kPressTolerancePixels) * 0.001;
    switch (GrabNodeSelection(at, tolerance, true)) {
        case NodeGrab::Node:
            nodeDragKind = kGrabbedNodes;
            return;
        case NodeGrab::Handle:
            nodeDragKind = kGrabbedHandle;
            return;
        case NodeGrab::None:
            break;
    }
    const Point logical = dc.DPtoLP(Point{x, y});
    auto* curve = static_cast<CCadCurve*>(FirstHitElement(logical.x, logical.y, dc, true));
    if (curve == nullptr) {
        ClearNodeSelection();
        return;
    }
    if (curve->GetSelect() == 0) {
        if ((flags & kShiftKey) == 0) {
            ClearSelection();
        }
        ClearNodeSelection();
        AddToSelection(curve);
        CalcSelectionRect();
        PostToOwner(kSelectionMovedMessage);
        return;
    }
    int index = 0;
    double t = 0.0;
    if (curve->HitNode(at.x, at.y, tolerance, &index, &t) == 0) {
        return;
    }
    SegmentNode* segment = curve->pathList.head->next;
    for (int i = 0; i < index; ++i) {
        segment = segment->next;
    }
    if (t == 0.0 || t == 1.0) {
        nodeDragKind = kGrabbedNodes;
        if ((flags & kShiftKey) == 0) {
            ClearNodeSelection();
        }
        segment->value.nodeSelected |= t == 0.0 ? CFileLine::kStartSelected : CFileLine::kEndSelected;
        nodeSelList.AddTail(CNodeSel{curve, segment, t});
        return;
    }
    pointMarkVisible = 1;
    nodeDragKind = kGrabbedOutline;
    pointMark = segment->value.GetPoint(std::clamp(t, 0.0, 1.0));
    ClearNodeSelection();
}

void CCadMgr::NodeToolMove(std::uint32_t, std::int32_t x, std::int32_t y) {
    if (selectionList.IsEmpty() || ownerWindow_ == nullptr) {
        return;
    }
    const Point pointer{x, y};
    DeviceContext dc = GetPreparedDC();
    if (buttonDown == 0) {
        const SDPoint at = canvas::DeviceToMm(dc, pointer);
        const double tolerance = PixelsToLogical(dc, kHoverTolerancePixels) * 0.001;
        std::intptr_t over = GrabNodeSelection(at, tolerance, false) != NodeGrab::None ? 1 : 0;
        for (auto* node = selectionList.head->next; over == 0 && node != selectionList.head;
             node = node->next) {
            if (node->value->typeCode != kCurveElement) {
                continue;
            }
            int index = 0;
            double t = 0.0;
            if (static_cast<CCadCurve*>(node->value)->HitNode(at.x, at.y, tolerance, &index, &t) != 0) {
                over = t == 0.0 || t == 1.0 ? 1 : 2;
            }
        }
        PostMessageToOwner(kNodeHoverMessage, over);
        return;
    }
    if (nodeDragKind == kGrabbedNothing) {
        DeviceContext bandDC = ownerWindow_->GetClientDC();
        bandDC.SelectObject(platform::Pen::Styled(platform::PenStyle::DashDot, 1, kBandColour));
        if (lastPoint != anchorPoint) {
            DrawRubberBand(bandDC, anchorPoint, lastPoint);
        }
        if (pointer != anchorPoint) {
            DrawRubberBand(bandDC, anchorPoint, pointer);
        }
    } else if (nodeDragKind == kGrabbedNodes || nodeDragKind == kGrabbedHandle) {
        const Point origin = dc.DPtoLP(anchorPoint);
        const auto offset = [&](Point device) {
            const Point logical = dc.DPtoLP(device);
            return SDPoint{(static_cast<double>(logical.x) - origin.x) * 0.001,
                           (static_cast<double>(logical.y) - origin.y) * 0.001};
        };
        if (lastPoint != anchorPoint) {
            DrawNodeDragPreview(dc, offset(lastPoint));
        }
        if (pointer != anchorPoint) {
            DrawNodeDragPreview(dc, offset(pointer));
        }
    }
    lastPoint = pointer;
}

void CCadMgr::DrawNodeDragPreview(DeviceContext& dc, SDPoint d) {
    DeviceContext markDC = ownerWindow_->GetClientDC();
    for (DeviceContext* each : {&dc, &markDC}) {
        each->SetROP2(platform::RasterOp::NotXorPen);
        each->SelectObject(platform::Pen::Solid(1, kPreviewColour));
        each->SelectObject(platform::Brush::Null());
    }
    const auto mark = [&](SDPoint mm) {
        markDC.Rectangle(canvas::BoxAround(canvas::MmToDevice(dc, mm), kNodeMarkHalf));
    };
    if (nodeDragKind == kGrabbedHandle) {
        if (grabbedHandle.curve == nullptr || grabbedHandle.segment == nullptr) {
            return;
        }
        CFileLine copy = grabbedHandle.segment->value;
        SDPoint& handle = HandleOf(copy, grabbedHandle.param);
        handle = Plus(handle, d);
        _draw_line(&dc, copy, 1);
        mark(handle);
        return;
    }
    for (CCadElement* element : SelectedElements()) {
        if (element->typeCode != kCurveElement) {
            continue;
        }
        const auto& curve = static_cast<const CCadCurve&>(*element);
        for (auto* segment = curve.pathList.head->next; segment != curve.pathList.head;
             segment = segment->next) {
            const bool start = StartSelected(curve, segment);
            const bool end = EndSelected(curve, segment);
            if (!start && !end) {
                continue;
            }
            CFileLine copy = segment->value;
            if (start) {
                MoveStart(copy, d);
            }
            if (end) {
                MoveEnd(copy, d);
            }
            _draw_line(&dc, copy, 1);
        }
    }
    for (auto* entry = nodeSelList.head->next; entry != nodeSelList.head; entry = entry->next) {
        if (entry->value.segment != nullptr) {
            const CFileLine& segment = entry->value.segment->value;
            mark(Plus(entry->value.param == 1.0 ? segment.end : segment.start, d));
        }
    }
}

void CCadMgr::NodeToolUp(std::uint32_t, std::int32_t x, std::int32_t y) {
    if (ownerWindow_ == nullptr) {
        return;
    }
    const Point release{x, y};
    DeviceContext dc = GetPreparedDC();
    switch (nodeDragKind) {
        case kGrabbedNothing:
            ClearNodeSelection();
            if (release != anchorPoint && !selectionList.IsEmpty()) {
                NodeRubberBand(dc, release);
            }
            break;
        case kGrabbedNodes:
            MoveSelectedNodes(dc, anchorPoint, release);
            NotifyModified();
            break;
        case kGrabbedHandle:
            DragControlHandle(dc, anchorPoint, release);
            NotifyModified();
            break;
        default:
            break;  // the repaint shows the point mark
    }
    Redraw(1, 0);
}

void CCadMgr::NodeRubberBand(DeviceContext& dc, Point release) {
    const platform::Rect logical =
        dc.DPtoLP(platform::Rect{anchorPoint.x, anchorPoint.y, release.x, release.y}.Normalized());
    CCadRect band;
    band.x1 = logical.left * 0.001;
    band.y1 = logical.top * 0.001;
    band.x2 = logical.right * 0.001;
    band.y2 = logical.bottom * 0.001;
    band.Normalize();
    for (CCadElement* element : SelectedElements()) {
        if (element->typeCode != kCurveElement) {
            continue;
        }
        auto* curve = static_cast<CCadCurve*>(element);
        SegmentNode* first = curve->pathList.head->next;
        if (first != curve->pathList.head && Inside(band, first->value.start)) {
            first->value.nodeSelected |= CFileLine::kStartSelected;
            nodeSelList.AddTail(CNodeSel{curve, first, 0.0});
        }
        for (auto* segment = first; segment != curve->pathList.head; segment = segment->next) {
            if (Inside(band, segment->value.end)) {
                segment->value.nodeSelected |= CFileLine::kEndSelected;
                nodeSelList.AddTail(CNodeSel{curve, segment, 1.0});
            }
        }
    }
}

void CCadMgr::MoveSelectedNodes(DeviceContext& dc, Point anchor, Point release) {
    const Point from = dc.DPtoLP(anchor);
    const Point to = dc.DPtoLP(release);
    const SDPoint d{(static_cast<double>(to.x) - from.x) * 0.001,
                    (static_cast<double>(to.y) - from.y) * 0.001};
    for (CCadElement* element : SelectedElements()) {
        if (element->typeCode != kCurveElement) {
            continue;
        }
        auto* curve = static_cast<CCadCurve*>(element);
        auto& path = curve->pathList;
        for (auto* segment = path.head->next; segment != path.head; segment = segment->next) {
            SegmentNode* last = path.head->prev;
            if ((segment->value.nodeSelected & CFileLine::kStartSelected) != 0) {
                // On a closed curve the first start is also the last end: when that end is marked as well,
                // the last segment's turn moves the node, so that it moves once.
                const bool lastEndMarked = (last->value.nodeSelected & CFileLine::kEndSelected) != 0;
                if (curve->closed != 1 || !lastEndMarked) {
                    MoveStart(segment->value, d);
                    if (curve->closed == 1) {
                        MoveEnd(last->value, d);
                    }
                }
            }
            if ((segment->value.nodeSelected & CFileLine::kEndSelected) != 0) {
                MoveEnd(segment->value, d);
                if (SegmentNode* after = Next(*curve, segment); after != nullptr) {
                    MoveStart(after->value, d);
                }
            }
        }
        curve->CalRect();
        curve->CalcCutInOut();
    }
    CalcSelectionRect();
}

void CCadMgr::DragControlHandle(DeviceContext& dc, Point p0, Point p1) {
    if (nodeSelList.GetCount() != 1 || grabbedHandle.curve == nullptr || grabbedHandle.segment == nullptr) {
        return;
    }
    CCadCurve& curve = *grabbedHandle.curve;
    const Point from = dc.DPtoLP(p0);
    const Point to = dc.DPtoLP(p1);
    const SDPoint d{(static_cast<double>(to.x) - from.x) * 0.001,
                    (static_cast<double>(to.y) - from.y) * 0.001};
    CFileLine& segment = grabbedHandle.segment->value;
    if (grabbedHandle.param == 0.0) {
        segment.ctrl1 = Plus(segment.ctrl1, d);
        SegmentNode* before = Previous(curve, grabbedHandle.segment);
        if (before != nullptr && segment.startJoint != CFileLine::kJointCorner) {
            FollowHandle(segment.ctrl1, before->value.end, segment.startJoint, before->value.ctrl2);
        }
    } else {
        segment.ctrl2 = Plus(segment.ctrl2, d);
        SegmentNode* after = Next(curve, grabbedHandle.segment);
        if (after != nullptr && segment.endJoint != CFileLine::kJointCorner) {
            FollowHandle(segment.ctrl2, after->value.start, segment.endJoint, after->value.ctrl1);
        }
    }
    curve.CalRect();
    curve.CalcCutInOut();
    CalcSelectionRect();
}

void CCadMgr::OnLButtonDblClk(std::uint32_t, std::int32_t x, std::int32_t y) {
    if (ownerWindow_ == nullptr) {
        return;
    }
    DeviceContext dc = GetPreparedDC();
    if ((toolMode & kPickTools) != 0) {
        if (!elementList.IsEmpty()) {
            const Point logical = dc.DPtoLP(Point{x, y});
            const std::uint16_t kind = toolMode == kCutPointPick ? 1 : 0;
            for (auto* node = elementList.head->next; node != elementList.head; node = node->next) {
                if (node->value->HitTestPath(logical.x, logical.y, &dc, kind) != 0) {
                    break;
                }
            }
            Redraw(1, 0);
        }
        return;
    }
    if ((toolMode & kNodeTool) != kNodeTool || selectionList.IsEmpty()) {
        return;
    }
    pointMarkVisible = 0;
    const SDPoint at = canvas::DeviceToMm(dc, {x, y});
    const double tolerance = PixelsToLogical(dc, kHoverTolerancePixels) * 0.001;
    for (auto* entry = nodeSelList.head->next; entry != nodeSelList.head; entry = entry->next) {
        const CNodeSel& sel = entry->value;
        if (sel.segment != nullptr &&
            Within(sel.param == 1.0 ? sel.segment->value.end : sel.segment->value.start, at, tolerance)) {
            DeleteNodes();
            return;
        }
    }
    bool inserted = false;
    for (CCadElement* element : SelectedElements()) {
        if (element->typeCode == kCurveElement) {
            auto* curve = static_cast<CCadCurve*>(element);
            if (curve->AddNode(at.x, at.y, tolerance) != 0) {
                curve->UpdateSmooth();
                curve->CalRect();
                inserted = true;
            }
        }
    }
    if (inserted) {
        NotifyModified();
        Redraw(1, 0);
    }
}
