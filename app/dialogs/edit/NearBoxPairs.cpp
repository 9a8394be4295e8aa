#include "NearBoxPairs.h"

#include <algorithm>
#include <numeric>

namespace dialogs::edit {

std::vector<std::vector<int>> NearBoxPairs(const std::vector<CFileLine::Box>& boxes, double gap) {
    std::vector<int> byLeft(boxes.size());
    std::iota(byLeft.begin(), byLeft.end(), 0);
    std::sort(byLeft.begin(), byLeft.end(), [&](int a, int b) { return boxes[a].x1 < boxes[b].x1; });
    std::vector<std::vector<int>> partners(boxes.size());
    for (std::size_t at = 0; at < byLeft.size(); ++at) {
        const CFileLine::Box& box = boxes[byLeft[at]];
        // Every later box starts at or right of this one's left side; once one starts beyond the gap
        // right of this box, all the rest do too.
        for (std::size_t next = at + 1; next < byLeft.size() && boxes[byLeft[next]].x1 - box.x2 <= gap; ++next) {
            if (box.IsApartFrom(boxes[byLeft[next]], gap)) {
                continue;
            }
            const auto [low, high] = std::minmax(byLeft[at], byLeft[next]);
            partners[low].push_back(high);
        }
    }
    for (std::vector<int>& list : partners) {
        std::sort(list.begin(), list.end());
    }
    return partners;
}

}  // namespace dialogs::edit
