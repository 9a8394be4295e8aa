// CCadOrderGroup: the cluster's rectangle, flattening, detaching and ownership.
#include "CadOrderGroup.h"

#include <algorithm>

namespace {

// Widens `into` by a normalised copy of `other`, then normalises `into`.
void MergeRect(CCadRect& into, CCadRect other) {
    other.Normalize();
    into.x1 = std::min(into.x1, other.x1);
    into.y1 = std::min(into.y1, other.y1);
    into.x2 = std::max(into.x2, other.x2);
    into.y2 = std::max(into.y2, other.y2);
    into.Normalize();
}

bool IsOwnedChildType(std::uint16_t typeCode) {
    return typeCode == kCurveElement || typeCode == kBitmapElement || typeCode == kOrderGroupElement;
}

}  // namespace

CCadOrderGroup::CCadOrderGroup() : CCadElement(kOrderGroupElement) {}

CCadOrderGroup* CCadOrderGroup::AsOrderGroup(CCadElement* element) {
    return element->typeCode == kOrderGroupElement ? dynamic_cast<CCadOrderGroup*>(element) : nullptr;
}

CCadOrderGroup::~CCadOrderGroup() {
    for (int more = children.MoveFirst(); more != 0; more = children.MoveNext()) {
        CCadElement* child = children.cursor->value;
        if (child != nullptr && IsOwnedChildType(child->typeCode)) {
            delete child;
        }
    }
    delete reference;
}

void CCadOrderGroup::CalRect() {
    if (children.IsEmpty() != 0) {
        if (reference != nullptr) {
            rect = reference->rect;
        }
        return;
    }
    bool first = true;
    for (int more = children.MoveFirst(); more != 0; more = children.MoveNext()) {
        CCadElement* child = children.cursor->value;
        if (CCadOrderGroup* nested = AsOrderGroup(child)) {
            nested->CalRect();
        }
        if (first) {
            rect = child->rect;
            first = false;
        } else {
            MergeRect(rect, child->rect);
        }
    }
    if (reference != nullptr) {
        MergeRect(rect, reference->rect);
    }
}

void CCadOrderGroup::Flatten(CDbList<CCadElement*>* out) const {
    if (out == nullptr) {
        return;
    }
    for (const auto* node = children.head->next; node != children.head; node = node->next) {
        CCadElement* child = node->value;
        if (const CCadOrderGroup* nested = AsOrderGroup(child)) {
            nested->Flatten(out);
        } else {
            out->AddTail(child);
        }
    }
    if (reference != nullptr) {
        out->AddTail(reference);
    }
}

void CCadOrderGroup::Detach() {
    for (int more = children.MoveFirst(); more != 0; more = children.MoveNext()) {
        CCadElement* child = children.cursor->value;
        if (CCadOrderGroup* nested = AsOrderGroup(child)) {
            nested->Detach();
            delete nested;
        }
    }
    children.RemoveAll();
    reference = nullptr;
}
