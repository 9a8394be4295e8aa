// CCadMgr: the selection list, its rectangle, the node selection, Delete and Select All.
#include <algorithm>

#include "CadArray.h"
#include "CadMgr.h"
#include "ListNodes.h"

namespace {

CCadRect Union(const CCadRect& a, const CCadRect& b) {
    CCadRect joined;
    joined.x1 = std::min(a.x1, b.x1);
    joined.y1 = std::min(a.y1, b.y1);
    joined.x2 = std::max(a.x2, b.x2);
    joined.y2 = std::max(a.y2, b.y2);
    return joined;
}

CCadRect Normalized(CCadRect rect) {
    rect.Normalize();
    return rect;
}

}  // namespace

void CCadMgr::ClearSelection() {
    for (auto* node = selectionList.head->next; node != selectionList.head; node = node->next) {
        node->value->SetSelect(0);
        if (node->value->typeCode == kCurveElement) {
            static_cast<CCadCurve*>(node->value)->selectedNode = 0;
        }
    }
    selectionList.RemoveAll();
    selectionNodes_.clear();
}

void CCadMgr::AddToSelection(CCadElement* element) {
    if (element == nullptr || IsSelected(element)) {
        return;
    }
    element->SetSelect(1);
    selectionRect = selectionList.IsEmpty() ? element->rect : Normalized(Union(selectionRect, Normalized(element->rect)));
    selectionNodes_[element] = AppendNode(selectionList, element);
}

void CCadMgr::RemoveFromSelection(CCadElement* element) {
    if (element == nullptr) {
        return;
    }
    const auto found = selectionNodes_.find(element);
    if (found != selectionNodes_.end()) {
        element->SetSelect(0);
        UnlinkNode(selectionList, found->second);
        selectionNodes_.erase(found);
    }
    CalcSelectionRect();
}

void CCadMgr::CalcSelectionRect() {
    if (selectionList.IsEmpty()) {
        return;
    }
    CCadRect joined = selectionList.head->next->value->rect;
    for (auto* node = selectionList.head->next->next; node != selectionList.head; node = node->next) {
        joined = Union(joined, Normalized(node->value->rect));
    }
    selectionRect = Normalized(joined);
}

CCadRect CCadMgr::GetSelectionRect() const {
    if (selectionList.IsEmpty()) {
        return CCadRect();
    }
    const auto extent = [](const CCadElement* element) {
        return Normalized(element->typeCode == kArrayElement ? static_cast<const CCadArray*>(element)->frameRect
                                                             : element->rect);
    };
    CCadRect joined = extent(selectionList.head->next->value);
    for (auto* node = selectionList.head->next->next; node != selectionList.head; node = node->next) {
        joined = Union(joined, extent(node->value));
    }
    return joined;
}

void CCadMgr::ClearNodeSelection() {
    for (auto* node = nodeSelList.head->next; node != nodeSelList.head; node = node->next) {
        if (node->value.segment != nullptr) {
            node->value.segment->value.nodeSelected = 0;
        }
    }
    nodeSelList.RemoveAll();
}

void CCadMgr::DropNodeSelection(const CCadElement* curve, const CDbList<CFileLine>::Node* segment) {
    if (nodeSelList.IsEmpty()) {
        return;
    }
    auto* node = nodeSelList.head->next;
    while (node != nodeSelList.head) {
        auto* next = node->next;
        if (node->value.curve == curve && (segment == nullptr || node->value.segment == segment)) {
            UnlinkNode(nodeSelList, node);
        }
        node = next;
    }
}

void CCadMgr::DeleteSelection() {
    if (selectionList.IsEmpty()) {
        return;
    }
    while (!selectionList.IsEmpty()) {
        DeleteElement(selectionList.head->next->value);
    }
    RenumberElements();
    NotifyModified();
    PostToOwner(kElementsLoadedMessage);
}

void CCadMgr::SelectAll() {
    ClearSelection();
    for (auto* node = elementList.head->next; node != elementList.head; node = node->next) {
        AddToSelection(node->value);
    }
    Redraw();
    PostToOwner(kSelectionMovedMessage);
}
