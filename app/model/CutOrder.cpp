// CCutOrder: the entry of the cut order, its own order groups, flattening back into the caller's list and
// the passes over finished lists.
#include "CutOrder.h"

#include <algorithm>
#include <typeinfo>

#include "CutOrderSupport.h"
#include "ListNodes.h"
#include "SegmentPrefetch.h"
#include "SettingsRecords.h"

namespace {

// Of each curve of a cell, the nodes fetched together before the cell is nested and ordered; longer curves
// are walked on from there, which a long walk down one list does well enough by itself.
constexpr int kPrefetchedNodesPerCurve = 64;

}  // namespace

struct CCutOrder::OwnGroup : CCadOrderGroup {
    const CCutOrder* owner = nullptr;
    std::size_t slot = 0;
};

CCutOrder::~CCutOrder() {
    Clear();
}

CCadOrderGroup* CCutOrder::NewGroup() {
    auto* group = new OwnGroup;
    group->owner = this;
    group->slot = groups_.size();
    groups_.push_back(group);
    return group;
}

void CCutOrder::DeleteGroup(CCadOrderGroup* group) {
    auto* own = static_cast<OwnGroup*>(group);
    groups_[own->slot] = groups_.back();
    groups_[own->slot]->slot = own->slot;
    groups_.pop_back();
    own->children.RemoveAll();
    own->reference = nullptr;
    delete own;
}

bool CCutOrder::IsOwnGroup(const CCadElement* element) const {
    return element->typeCode == kOrderGroupElement && typeid(*element) == typeid(OwnGroup) &&
           static_cast<const OwnGroup*>(element)->owner == this;
}

void CCutOrder::Clear() {
    items_.RemoveAll();
    for (OwnGroup* group : groups_) {
        group->children.RemoveAll();
        group->reference = nullptr;
        delete group;
    }
    groups_.clear();
}

void CCutOrder::FlattenInto(CCadElement* item, CDbList<CCadElement*>& list) {
    if (!IsOwnGroup(item)) {
        list.AddTail(item);
        return;
    }
    auto* group = static_cast<CCadOrderGroup*>(item);
    CDbList<CCadElement*>& children = group->children;
    while (children.IsEmpty() == 0) {
        auto* node = children.head->next;
        if (IsOwnGroup(node->value)) {
            CCadElement* nested = node->value;
            UnlinkNode(children, node);
            FlattenInto(nested, list);
        } else {
            cutorder::MoveNodeToEnd(children, node, list);
        }
    }
    if (group->reference != nullptr) {
        list.AddTail(group->reference);
    }
    DeleteGroup(group);
}

void CCutOrder::Optimize(CDbList<CCadElement*>& list, std::int32_t insideToOutside, std::uint16_t code,
                         double startX, double startY) {
    Clear();
    CDbList<CCadElement*> bitmaps;
    while (list.IsEmpty() == 0) {
        auto* node = list.head->next;
        cutorder::MoveNodeToEnd(list, node, node->value->typeCode == kBitmapElement ? bitmaps : items_);
    }
    if (items_.IsEmpty() != 0) {
        cutorder::Splice(bitmaps, list);
        return;
    }
    groups_.reserve(static_cast<std::size_t>(items_.count));  // about one group per item at most
    SDPoint point{startX, startY};
    SortByDirection(items_, code, startX, startY, 1);
    // Each cell goes into the list as soon as it is ordered, while its items are still near at hand.
    for (auto* node = items_.head->next; node != items_.head; node = node->next) {
        auto* cell = static_cast<CCadOrderGroup*>(node->value);
        PrefetchSegmentLists(CurvesFrom(cell->children, cell->children.head->next, cell->children.count),
                             kPrefetchedNodesPerCurve);
        if (insideToOutside != 0) {
            NestByContainment(cell->children);
        }
        OrderGroup(cell, code, point);
        FlattenInto(cell, list);
    }
    items_.RemoveAll();
    // The cutting ports are found from where the caller starts, not from where the order ended.
    if (gOptimSettings.insideToOutside != 0 && gOptimSettings.insideToOutsideMode == 1) {
        FindStartPoints(list, {startX, startY});
    }
    cutorder::Splice(bitmaps, list);
}

void CCutOrder::FindStartPoints(CDbList<CCadElement*>& list, SDPoint point) {
    for (auto* node = list.head->next; node != list.head; node = node->next) {
        SDPoint asked = point;
        node->value->FindStartPoint(&asked);
    }
}

void CCutOrder::ApplyBacklash(CDbList<CCadElement*>& list, const CCadRect& rect) {
    const std::uint16_t position = std::min(gGeneralSettings.laserHeadPosition, kLastLaserHeadPosition);
    const double xs[3] = {rect.x1, (rect.x1 + rect.x2) / 2, rect.x2};
    const double ys[3] = {rect.y2, (rect.y1 + rect.y2) / 2, rect.y1};  // top row first
    SDPoint origin{xs[position % 3], ys[position / 3]};
    for (auto* node = list.head->next; node != list.head; node = node->next) {
        int started = 1;
        node->value->Backlash(&origin, &started);
    }
}
