#include "ElementRectIndex.h"

#include "CadArray.h"

namespace {

CCadRect Extent(const CCadElement* element) {
    CCadRect rect = element->typeCode == kArrayElement ? static_cast<const CCadArray*>(element)->frameRect
                                                       : element->rect;
    rect.Normalize();
    return rect;
}

}  // namespace

void ElementRectIndex::Build(const CDbList<CCadElement*>& elements) {
    order_.clear();
    std::vector<CCadRect> rects;
    for (auto* node = elements.head->next; node != elements.head; node = node->next) {
        order_.push_back(node->value);
        rects.push_back(Extent(node->value));
    }
    grid_ = std::make_unique<BoxGrid>(BoxGrid::CellSizeFor(rects, 0.0));
    for (std::size_t id = 0; id < rects.size(); ++id) {
        grid_->Insert(static_cast<int>(id), rects[id]);
    }
    built_ = true;
}

std::vector<CCadElement*> ElementRectIndex::Candidates(const CDbList<CCadElement*>& elements,
                                                       const CCadRect& box, double margin) {
    // An element added or removed without a notification still shows in the count.
    if (!built_ || order_.size() != static_cast<std::size_t>(elements.GetCount())) {
        Build(elements);
    }
    std::vector<CCadElement*> candidates;
    for (const int id : grid_->Query(box, margin)) {
        candidates.push_back(order_[static_cast<std::size_t>(id)]);
    }
    return candidates;
}
