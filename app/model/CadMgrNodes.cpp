// CCadMgr: the node commands of the node-editing mode: delete nodes, join two curve ends, break curves at
// nodes, and turn segments into lines or Beziers. Whatever frees a segment or a curve drops the node
// selection entries on it first.
#include <cmath>

#include "CadMgr.h"
#include "ListNodes.h"

namespace {

constexpr std::uint32_t kNodeEditMode = 0x8001;
constexpr double kJoinDistance = 0.1;  // mm: ends closer than this are snapped together
constexpr double kDefaultHandleShare = 0.333;

using Segment = CDbList<CFileLine>::Node;

SDPoint Plus(SDPoint a, SDPoint b) {
    return {a.x + b.x, a.y + b.y};
}
SDPoint Minus(SDPoint a, SDPoint b) {
    return {a.x - b.x, a.y - b.y};
}
SDPoint Times(SDPoint a, double k) {
    return {a.x * k, a.y * k};
}
double Length(SDPoint a) {
    return std::hypot(a.x, a.y);
}

// A straight Bezier from `from` to `to`, its handles at a third and two thirds of the chord.
CFileLine StraightBezier(SDPoint from, SDPoint to) {
    CFileLine bezier;
    bezier.type = CFileLine::kBezier;
    bezier.start = from;
    bezier.end = to;
    bezier.ctrl1 = Plus(from, Times(Minus(to, from), 1.0 / 3));
    bezier.ctrl2 = Plus(to, Times(Minus(from, to), 1.0 / 3));
    return bezier;
}

// s and its successor t as one segment from s's start to t's end.
CFileLine Merged(const CFileLine& s, const CFileLine& t) {
    CFileLine m = s;
    m.end = t.end;
    m.nodeSelected = (s.nodeSelected & CFileLine::kStartSelected) | (t.nodeSelected & CFileLine::kEndSelected);
    if (s.IsBezier()) {
        m.ctrl2 = t.IsBezier() ? t.ctrl2 : t.end;
    } else if (t.IsBezier()) {
        m.type = CFileLine::kBezier;
        m.ctrl1 = s.start;
        m.ctrl2 = t.ctrl2;
    }
    return m;
}

// Moves the handle of `neighbour` at `joint` so that it runs along the direction towards `reference`.
void AlignHandle(SDPoint joint, SDPoint reference, SDPoint& handle, std::uint16_t& jointCode) {
    if (reference.x == joint.x && reference.y == joint.y) {
        return;
    }
    const double ratio = Length(Minus(handle, joint)) / Length(Minus(reference, joint));
    jointCode = CFileLine::kJointCorner;
    handle = Plus(joint, Times(Minus(reference, joint), ratio == 0.0 ? kDefaultHandleShare : ratio));
}

}  // namespace

bool CCadMgr::InNodeEditMode() const {
    return (toolMode & kNodeEditMode) == kNodeEditMode;
}

void CCadMgr::RemoveCurveSegment(CCadCurve* curve, CDbList<CFileLine>::Node* segment) {
    DropNodeSelection(curve, segment);
    UnlinkNode(curve->pathList, segment);
}

void CCadMgr::DeleteNodes() {
    if (!InNodeEditMode() || nodeSelList.IsEmpty()) {
        return;
    }
    nodeSelList.RemoveAll();
    bool deletedAny = false;
    for (CCadElement* element : SelectedElements()) {
        if (element->typeCode != kCurveElement) {
            continue;
        }
        auto* curve = static_cast<CCadCurve*>(element);
        CDbList<CFileLine>& path = curve->pathList;
        for (Segment* s = path.head->next; s != path.head && s->next != path.head;) {
            Segment* t = s->next;
            if ((s->value.nodeSelected & CFileLine::kEndSelected) != 0) {
                t->value = Merged(s->value, t->value);
                RemoveCurveSegment(curve, s);
            }
            s = t;
        }
        if (path.IsEmpty()) {
            DeleteElement(curve);
            deletedAny = true;
            continue;
        }
        bool closingNodeDeleted = false;
        CFileLine& first = path.head->next->value;
        CFileLine& last = path.head->prev->value;
        if (curve->closed != 0 &&
            ((first.nodeSelected & CFileLine::kStartSelected) != 0 || (last.nodeSelected & CFileLine::kEndSelected) != 0)) {
            first.nodeSelected |= CFileLine::kStartSelected;
            last.nodeSelected |= CFileLine::kEndSelected;
            closingNodeDeleted = true;
        }
        if ((path.head->next->value.nodeSelected & CFileLine::kStartSelected) != 0) {
            RemoveCurveSegment(curve, path.head->next);
        }
        if (!path.IsEmpty() && (path.head->prev->value.nodeSelected & CFileLine::kEndSelected) != 0) {
            RemoveCurveSegment(curve, path.head->prev);
        }
        const int left = path.GetCount();
        if (left == 1) {
            curve->closed = 0;
        } else if (left >= 2 && closingNodeDeleted) {
            AppendClosingSegment(*curve);
        }
        if (left == 0) {
            DeleteElement(curve);
            deletedAny = true;
            continue;
        }
        // The marks are spent: left set, a later Delete would take these nodes again unasked.
        for (auto* node = path.head->next; node != path.head; node = node->next) {
            node->value.nodeSelected = 0;
        }
        curve->CalRect();
        curve->UpdateSmooth();
    }
    ClearNodeSelection();
    CalcSelectionRect();
    if (deletedAny && ownerWindow_ != nullptr) {
        RenumberElements();
        PostToOwner(kElementsLoadedMessage);
    }
    Redraw();
    NotifyModified();
}

void CCadMgr::AppendClosingSegment(CCadCurve& curve) {
    const CFileLine& last = curve.pathList.head->prev->value;
    const CFileLine& first = curve.pathList.head->next->value;
    CFileLine closing;
    closing.start = last.end;
    closing.end = first.start;
    if (last.IsBezier() || first.IsBezier()) {
        closing.type = CFileLine::kBezier;
        closing.ctrl1 = last.IsBezier() ? Minus(Times(last.end, 2), last.ctrl2) : last.end;
        closing.ctrl2 = first.IsBezier() ? Minus(Times(first.start, 2), first.ctrl1) : first.start;
    }
    curve.pathList.AddTail(closing);
}

bool CCadMgr::CanCombineNodes() const {
    if (!InNodeEditMode() || nodeSelList.GetCount() != 2) {
        return false;
    }
    const CNodeSel one = nodeSelList.head->next->value;
    const CNodeSel two = nodeSelList.head->next->next->value;
    const CCadCurve* a = one.curve;
    const CCadCurve* b = two.curve;
    const auto isEnd = [](const CCadCurve* curve, const Segment* segment) {
        return segment == curve->pathList.head->next || segment == curve->pathList.head->prev;
    };
    return a != nullptr && b != nullptr && one.segment != nullptr && two.segment != nullptr &&
           one.segment != a->pathList.head && two.segment != b->pathList.head && one.segment != two.segment &&
           a->closed == 0 && b->closed == 0 && isEnd(a, one.segment) && isEnd(b, two.segment);
}

void CCadMgr::CombineNodes() {
    if (!InNodeEditMode() || nodeSelList.GetCount() != 2) {
        return;
    }
    if (!CanCombineNodes()) {
        ClearNodeSelection();
        Redraw();
        return;
    }
    const CNodeSel one = nodeSelList.head->next->value;
    const CNodeSel two = nodeSelList.head->next->next->value;
    CCadCurve* a = one.curve;
    CCadCurve* b = two.curve;
    if (a == b) {
        CloseAtNodes(a, one.segment, two.segment);
        return;
    }
    const bool reverseB = b->pathList.GetCount() == 1 ? two.param == 0.0 : two.segment == b->pathList.head->next;
    const bool reverseA = a->pathList.GetCount() == 1 ? one.param == 1.0 : one.segment == a->pathList.head->prev;
    // Reversing may rebuild a curve's segments, and A goes: no entry may name either afterwards.
    ClearNodeSelection();
    if (reverseB) {
        b->TransDir();
    }
    if (reverseA) {
        a->TransDir();
    }
    CFileLine& tail = b->pathList.head->prev->value;
    CFileLine& head = a->pathList.head->next->value;
    const SDPoint gap = Minus(head.start, tail.end);
    if (Length(gap) >= kJoinDistance) {
        b->pathList.AddTail(StraightBezier(tail.end, head.start));
    } else {
        head.start = tail.end;
        if (head.IsBezier()) {
            head.ctrl1 = Minus(head.ctrl1, gap);
        }
    }
    b->LinkRight(a);
    b->CalRect();
    b->UpdateSmooth();
    RemoveFromSelection(a);
    DeleteElement(a);
    RenumberElements();
    Redraw();
    PostToOwner(kElementsLoadedMessage);
    NotifyModified();
}

void CCadMgr::CloseAtNodes(CCadCurve* curve, Segment* one, Segment* two) {
    Segment* first = one->prev == curve->pathList.head ? one : two;
    CFileLine& f = first->value;
    CFileLine& l = (first == one ? two : one)->value;
    const SDPoint gap = Minus(f.start, l.end);
    if (Length(gap) >= kJoinDistance) {
        curve->pathList.AddTail(StraightBezier(l.end, f.start));
    } else {
        l.end = f.start;
        if (l.IsBezier()) {
            l.ctrl2 = Plus(l.ctrl2, gap);
        }
    }
    curve->closed = 1;
    curve->CalRect();
    curve->UpdateSmooth();
    Redraw();
}

void CCadMgr::BreakCurve() {
    if (!InNodeEditMode() || nodeSelList.IsEmpty()) {
        return;
    }
    nodeSelList.RemoveAll();
    for (CCadElement* element : SelectedElements()) {
        if (element->typeCode != kCurveElement) {
            continue;
        }
        auto* curve = static_cast<CCadCurve*>(element);
        const auto found = elementNodes_.find(curve);
        if (found == elementNodes_.end()) {
            Redraw();
            return;
        }
        CDbList<CCadElement*>::Node* before = found->second->prev;
        CDbList<CFileLine>& path = curve->pathList;
        Segment* s = path.head->next;
        while (s != path.head) {
            CFileLine& segment = s->value;
            if (s == path.head->next) {
                if (curve->closed != 0 && (segment.nodeSelected & CFileLine::kStartSelected) != 0) {
                    curve->closed = 0;
                    curve->UpdateSmooth();
                }
                segment.nodeSelected &= ~CFileLine::kStartSelected;
            }
            if (s == path.head->prev) {
                if (curve->closed != 0 && (segment.nodeSelected & CFileLine::kEndSelected) != 0) {
                    curve->closed = 0;
                    curve->UpdateSmooth();
                }
                segment.nodeSelected &= ~CFileLine::kEndSelected;
            }
            if ((segment.nodeSelected & CFileLine::kEndSelected) == 0) {
                s = s->next;
                continue;
            }
            segment.nodeSelected &= ~CFileLine::kEndSelected;
            if (curve->closed == 0) {
                before = SplitOffFront(curve, s, before);
            } else {
                curve->closed = 0;
                RotateToEndWith(path, s);
                curve->UpdateSmooth();
            }
            s = path.head->next;
        }
    }
    ClearSelection();
    RenumberElements();
    Redraw();
    NotifyModified();
}

// The segments from the first through `last` leave for a new curve placed after `before`; returns its node.
CDbList<CCadElement*>::Node* CCadMgr::SplitOffFront(CCadCurve* curve, Segment* last,
                                                     CDbList<CCadElement*>::Node* before) {
    auto piece = std::make_unique<CCadCurve>();
    piece->color = curve->color;
    piece->layer = curve->layer;
    CDbList<CFileLine>& path = curve->pathList;
    Segment* stop = last->next;
    while (path.head->next != stop) {
        piece->pathList.AddTail(path.head->next->value);
        RemoveCurveSegment(curve, path.head->next);
    }
    curve->CalRect();
    curve->UpdateSmooth();
    piece->CalRect();
    piece->UpdateSmooth();
    return InsertElementAfter(before, piece.release());
}

bool CCadMgr::IsConvertibleEntry(const CNodeSel& entry) const {
    return entry.curve != nullptr && entry.segment != nullptr && !entry.curve->pathList.IsEmpty() &&
           entry.segment != entry.curve->pathList.head && entry.param != 0.0;
}

void CCadMgr::SegmentsToLines() {
    if (!InNodeEditMode() || nodeSelList.IsEmpty()) {
        return;
    }
    while (!nodeSelList.IsEmpty()) {
        const CNodeSel entry = nodeSelList.head->next->value;
        UnlinkNode(nodeSelList, nodeSelList.head->next);
        if (!IsConvertibleEntry(entry) || !entry.segment->value.IsBezier()) {
            continue;
        }
        CCadCurve* curve = entry.curve;
        CDbList<CFileLine>& path = curve->pathList;
        CFileLine& s = entry.segment->value;
        s.type = 0;
        s.startJoint = CFileLine::kJointCorner;
        s.endJoint = CFileLine::kJointCorner;
        Segment* next = entry.segment->next;
        if (next != path.head && next->value.IsBezier()) {
            CFileLine& n = next->value;
            AlignHandle(n.start, Minus(Times(s.end, 2), s.start), n.ctrl1, n.startJoint);
        }
        Segment* previous = entry.segment->prev;
        if (previous == path.head && curve->closed != 0) {
            previous = path.head->prev;
        }
        if (previous != path.head && previous != entry.segment && previous->value.IsBezier()) {
            CFileLine& p = previous->value;
            AlignHandle(p.end, Minus(Times(s.start, 2), s.end), p.ctrl2, p.endJoint);
        }
        curve->CalRect();
    }
    Redraw();
    NotifyModified();
}

void CCadMgr::SegmentsToBeziers() {
    if (!InNodeEditMode() || nodeSelList.IsEmpty()) {
        return;
    }
    auto* node = nodeSelList.head->next;
    while (node != nodeSelList.head) {
        auto* next = node->next;
        const CNodeSel& entry = node->value;
        if (!IsConvertibleEntry(entry) || entry.segment->value.IsBezier() ||
            (entry.segment->value.start.x == entry.segment->value.end.x &&
             entry.segment->value.start.y == entry.segment->value.end.y)) {
            UnlinkNode(nodeSelList, node);
        } else {
            CFileLine& segment = entry.segment->value;
            const CFileLine bezier = StraightBezier(segment.start, segment.end);
            segment.type = CFileLine::kBezier;
            segment.ctrl1 = bezier.ctrl1;
            segment.ctrl2 = bezier.ctrl2;
        }
        node = next;
    }
    Redraw();
    NotifyModified();
}
