// What the cut-order passes share: rectangle tests on normalised rectangles (x1 <= x2, y1 <= y2) with one
// margin in mm, the band height, the sweep of a direction code, and moving list nodes between lists.
#pragma once

#include <algorithm>

#include "CadElement.h"
#include "CadRect.h"
#include "DbList.h"
#include "SettingsRecords.h"

namespace cutorder {

inline CCadRect Normalized(CCadRect rect) {
    rect.Normalize();
    return rect;
}

// Widens `into` by a normalised copy of `other`.
inline void Grow(CCadRect& into, const CCadRect& other) {
    const CCadRect added = Normalized(other);
    into.x1 = std::min(into.x1, added.x1);
    into.y1 = std::min(into.y1, added.y1);
    into.x2 = std::max(into.x2, added.x2);
    into.y2 = std::max(into.y2, added.y2);
}

// The first item's rectangle, widened by every further one; the list must not be empty.
inline CCadRect BoxOf(const CDbList<CCadElement*>& list) {
    CCadRect box = list.head->next->value->rect;
    for (auto* node = list.head->next->next; node != list.head; node = node->next) {
        Grow(box, node->value->rect);
    }
    return box;
}

// The rectangles are at least `margin` apart along one axis.
inline bool ApartAtLeast(const CCadRect& a, const CCadRect& b, double margin) {
    return a.x1 - b.x2 >= margin || b.x1 - a.x2 >= margin || a.y1 - b.y2 >= margin || b.y1 - a.y2 >= margin;
}

// The rectangles are more than `margin` apart along one axis.
inline bool ApartBeyond(const CCadRect& a, const CCadRect& b, double margin) {
    return a.x1 - b.x2 > margin || b.x1 - a.x2 > margin || a.y1 - b.y2 > margin || b.y1 - a.y2 > margin;
}

inline bool LiesWithin(const CCadRect& inner, const CCadRect& outer, double margin) {
    return outer.x1 - inner.x1 <= margin && inner.x2 - outer.x2 <= margin && outer.y1 - inner.y1 <= margin &&
           inner.y2 - outer.y2 <= margin;
}

// The band height of the settings, kept within 1..100000 mm: a band of no height never moves on.
inline double BandHeight() {
    const double height = gOptimSettings.blockHeightMm;
    return height >= 1.0 ? std::min(height, 100000.0) : 1.0;  // NaN too takes 1
}

// Codes 5..8 sweep along y, every other along x; even codes step down from the high edge.
inline bool SweepsAlongY(std::uint16_t code) {
    return code >= 5 && code <= 8;
}
inline int SweepSign(std::uint16_t code) {
    return code >= 1 && code <= 8 && code % 2 == 0 ? -1 : 1;
}

// Moves every node of `from` to the end of `to`, keeping the nodes; `from` ends empty.
inline void Splice(CDbList<CCadElement*>& from, CDbList<CCadElement*>& to) {
    if (from.IsEmpty() != 0) {
        return;
    }
    auto* first = from.head->next;
    auto* last = from.head->prev;
    first->prev = to.head->prev;
    to.head->prev->next = first;
    last->next = to.head;
    to.head->prev = last;
    to.count += from.count;
    from.head->next = from.head;
    from.head->prev = from.head;
    from.count = 0;
    from.cursor = from.head;
}

// Moves one node of `from` to the end of `to`, keeping the node.
inline void MoveNodeToEnd(CDbList<CCadElement*>& from, CDbList<CCadElement*>::Node* node,
                          CDbList<CCadElement*>& to) {
    if (from.cursor == node) {
        from.cursor = node->next;
    }
    node->prev->next = node->next;
    node->next->prev = node->prev;
    --from.count;
    node->prev = to.head->prev;
    node->next = to.head;
    to.head->prev->next = node;
    to.head->prev = node;
    ++to.count;
}

// The list's content replaced by that of `from`, whose nodes move.
inline void Replace(CDbList<CCadElement*>& list, CDbList<CCadElement*>& from) {
    list.RemoveAll();
    Splice(from, list);
}

}  // namespace cutorder
