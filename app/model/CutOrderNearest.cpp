// CCutOrder: nearest-neighbour ordering inside a cell. From the current point the nearest remaining item
// is cut next, turned so that it starts where the head is; the point then moves to where it ends. A
// container is finished by its reference curve after everything inside it.
#include <cmath>

#include "CadGroup.h"
#include "CadPoint.h"
#include "CutOrder.h"
#include "CutOrderSupport.h"
#include "ListNodes.h"
#include "SettingsRecords.h"

namespace {

double SquaredDistance(SDPoint a, SDPoint b) {
    const double dx = a.x - b.x;
    const double dy = a.y - b.y;
    return dx * dx + dy * dy;
}

bool IsGroupElement(const CCadElement* item) {
    return item->typeCode == kGroupElement || item->typeCode == kTextElement ||
           item->typeCode == kArrayElement;
}

CDbList<CCadElement*>& MembersOf(CCadElement* element) {
    return static_cast<CCadGroup*>(element)->children;
}

const CDbList<CCadElement*>& MembersOf(const CCadElement* element) {
    return static_cast<const CCadGroup*>(element)->children;
}

CDbList<CCadElement*>::Node* Nearest(const CDbList<CCadElement*>& list, SDPoint point, double& best);

double Distance(const CCadElement* item, SDPoint point) {
    switch (item->typeCode) {
        case kCurveElement: {
            int index = 0;
            return CCutOrder::CurveDistance(static_cast<const CCadCurve*>(item), index, point);
        }
        case kPointElement: {
            const auto* position = static_cast<const CCadPoint*>(item);
            return SquaredDistance({position->x, position->y}, point);
        }
        case kGroupElement:
        case kTextElement:
        case kArrayElement: {
            double best = CCutOrder::kNoDistance;
            Nearest(MembersOf(item), point, best);
            return best;
        }
        case kOrderGroupElement: {
            double best = CCutOrder::kNoDistance;
            Nearest(static_cast<const CCadOrderGroup*>(item)->children, point, best);
            return best;
        }
        default:
            return CCutOrder::kNoDistance;
    }
}

// The nearest item of the list (ties keep the earlier one) and its distance; null and kNoDistance for
// an empty list. Items whose rectangle cannot hold anything nearer are not measured.
CDbList<CCadElement*>::Node* Nearest(const CDbList<CCadElement*>& list, SDPoint point, double& best) {
    best = CCutOrder::kNoDistance;
    CDbList<CCadElement*>::Node* nearest = nullptr;
    double radius = 0.0;
    for (auto* node = list.head->next; node != list.head; node = node->next) {
        if (nearest != nullptr && CCutOrder::MayBeNearer(node->value->rect, point, radius) == 0) {
            continue;
        }
        const double distance = Distance(node->value, point);
        if (nearest == nullptr || distance < best) {
            best = distance;
            nearest = node;
            radius = std::sqrt(best);
        }
    }
    return nearest;
}

// Moves the nearest item's node of the list to the end of `to`; returns the item.
CCadElement* MoveNearest(CDbList<CCadElement*>& list, SDPoint point, CDbList<CCadElement*>& to) {
    double best = 0.0;
    auto* node = Nearest(list, point, best);
    cutorder::MoveNodeToEnd(list, node, to);
    return node->value;
}

void TakeCurve(CCadCurve* curve, SDPoint& point) {
    int index = 0;
    CCutOrder::CurveDistance(curve, index, point);
    CCutOrder::SetCurveStart(curve, index, point);
}

void TakePoint(const CCadPoint* position, SDPoint& point) {
    point = {position->x, position->y};
}

}  // namespace

int CCutOrder::MayBeNearer(const CCadRect& rect, SDPoint point, double radius) {
    const double ax = std::fabs(rect.x1 - point.x);
    const double bx = std::fabs(rect.x2 - point.x);
    const double ay = std::fabs(rect.y1 - point.y);
    const double by = std::fabs(rect.y2 - point.y);
    if (ax >= radius && bx >= radius && ay >= radius && by >= radius) {
        return 0;
    }
    const double nearestCorner = std::min(std::min(ax * ay, bx * ay), std::min(bx * by, ax * by));
    return 2 * nearestCorner <= radius * radius ? 1 : 0;
}

double CCutOrder::CurveDistance(const CCadCurve* curve, int& index, SDPoint point) {
    index = 0;
    const CDbList<CFileLine>& segments = curve->pathList;
    if (segments.IsEmpty() != 0) {
        return kNoDistance;
    }
    const double fromStart = SquaredDistance(segments.head->next->value.start, point);
    if (curve->closed == 0) {
        if (gOptimSettings.autoStartPointAndDirection == 0) {
            return fromStart;
        }
        const double fromEnd = SquaredDistance(segments.head->prev->value.end, point);
        if (fromEnd < fromStart) {
            index = segments.GetCount();
            return fromEnd;
        }
        return fromStart;
    }
    if (gOptimSettings.startPointOptimise == 0 && gOptimSettings.autoStartPointAndDirection == 0) {
        return fromStart;
    }
    double best = fromStart;
    double radius = std::sqrt(best);
    int node = 0;
    for (auto* segment = segments.head->next; segment != segments.head; segment = segment->next) {
        ++node;
        const SDPoint end = segment->value.end;
        if (std::fabs(end.x - point.x) >= radius || std::fabs(end.y - point.y) >= radius) {
            continue;
        }
        const double distance = SquaredDistance(end, point);
        if (distance < best) {
            best = distance;
            radius = std::sqrt(best);
            index = node;
        }
    }
    return best;
}

void CCutOrder::SetCurveStart(CCadCurve* curve, int index, SDPoint& point) {
    CDbList<CFileLine>& segments = curve->pathList;
    const int count = segments.GetCount();
    if (count == 0 || index < 0 || index > count) {
        return;
    }
    if (curve->closed != 0 && index > 0 && index < count) {
        auto* last = segments.head->next;
        for (int node = 1; node < index; ++node) {
            last = last->next;
        }
        RotateToEndWith(segments, last);
    } else if (curve->closed == 0 && index != 0) {
        curve->TransDir();
    }
    point = segments.head->prev->value.end;
}

void CCutOrder::TakeReference(const CCadOrderGroup* group, SDPoint& point) {
    if (group->reference != nullptr && group->reference->typeCode == kCurveElement) {
        TakeCurve(static_cast<CCadCurve*>(group->reference), point);
    }
}

void CCutOrder::OrderGroup(CCadOrderGroup* group, std::uint16_t code, SDPoint& point) {
    CDbList<CCadElement*>& children = group->children;
    if (children.IsEmpty() == 0) {
        SortByDirection(children, code, point.x, point.y, 0);
        if (children.head->next->next != children.head) {
            for (auto* node = children.head->next; node != children.head; node = node->next) {
                OrderGroup(static_cast<CCadOrderGroup*>(node->value), code, point);
            }
        } else {
            auto* cell = static_cast<CCadOrderGroup*>(children.head->next->value);
            cutorder::Replace(children, cell->children);
            DeleteGroup(cell);
            OrderNearest(group, code, point);
        }
    }
    TakeReference(group, point);
}

void CCutOrder::OrderNearest(CCadOrderGroup* group, std::uint16_t code, SDPoint& point) {
    CDbList<CCadElement*> ordered;
    while (group->children.IsEmpty() == 0) {
        CCadElement* item = MoveNearest(group->children, point, ordered);
        TakeItem(item, code, point);
    }
    cutorder::Replace(group->children, ordered);
}

void CCutOrder::TakeItem(CCadElement* item, std::uint16_t code, SDPoint& point) {
    if (item->typeCode == kCurveElement) {
        TakeCurve(static_cast<CCadCurve*>(item), point);
    } else if (item->typeCode == kPointElement) {
        TakePoint(static_cast<const CCadPoint*>(item), point);
    } else if (IsGroupElement(item)) {
        OrderGroupElement(item, point, code);
    } else if (item->typeCode == kOrderGroupElement) {
        OrderGroup(static_cast<CCadOrderGroup*>(item), code, point);
    }
}

void CCutOrder::OrderGroupElement(CCadElement* element, SDPoint& point, std::uint16_t code) {
    CDbList<CCadElement*>& members = MembersOf(element);
    if (members.IsEmpty() != 0) {
        return;
    }
    BlockPass(members, code);
    CDbList<CCadElement*> ordered;
    while (members.IsEmpty() == 0) {
        CCadElement* item = MoveNearest(members, point, ordered);
        if (item->typeCode == kCurveElement) {
            TakeCurve(static_cast<CCadCurve*>(item), point);
        } else if (item->typeCode == kPointElement) {
            TakePoint(static_cast<const CCadPoint*>(item), point);
        } else if (item->typeCode == kGroupElement) {
            // Texts and arrays inside a group keep their own order.
            OrderGroupElement(item, point, code);
        } else if (IsOwnGroup(item)) {
            OrderInGroupElement(static_cast<CCadOrderGroup*>(item), point, code);
            UnlinkNode(ordered, ordered.head->prev);
            FlattenInto(item, ordered);
        }
    }
    cutorder::Replace(members, ordered);
}

void CCutOrder::OrderInGroupElement(CCadOrderGroup* group, SDPoint& point, std::uint16_t code) {
    CDbList<CCadElement*> ordered;
    while (group->children.IsEmpty() == 0) {
        CCadElement* item = MoveNearest(group->children, point, ordered);
        if (item->typeCode == kOrderGroupElement) {
            auto* nested = static_cast<CCadOrderGroup*>(item);
            if (nested->reference != nullptr) {
                BlockPass(nested->children, code);
            }
            OrderInGroupElement(nested, point, code);
        } else {
            TakeItem(item, code, point);
        }
    }
    cutorder::Replace(group->children, ordered);
    TakeReference(group, point);
}
