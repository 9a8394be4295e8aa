// Reading a caller's segment list without moving its cursor.
#pragma once

#include <vector>

#include "DbList.h"
#include "FileLine.h"

namespace filebridge {

constexpr double kDefaultPltPrecision = 1016.0;

inline std::vector<CFileLine> CopySegments(const CDbList<CFileLine>* list) {
    std::vector<CFileLine> segments;
    if (list == nullptr || list->IsEmpty() != 0) {
        return segments;
    }
    for (const auto* node = list->head->next; node != list->head; node = node->next) {
        segments.push_back(node->value);
    }
    return segments;
}

inline bool AllFinite(const std::vector<CFileLine>& segments) {
    for (const CFileLine& segment : segments) {
        if (!segment.HasFiniteCoordinates()) {
            return false;
        }
    }
    return true;
}

}  // namespace filebridge
