// Builds the levels of the box tree bottom up.
#include "BoxTree.h"

namespace pathsmith {

namespace {

Box Union(const Box& a, const Box& b) {
    return {std::min(a.minX, b.minX), std::min(a.minY, b.minY), std::max(a.maxX, b.maxX),
            std::max(a.maxY, b.maxY)};
}

}  // namespace

BoxTree::BoxTree(std::vector<Box> itemBoxes) : items_(std::move(itemBoxes)) {
    if (items_.empty()) {
        return;
    }
    std::vector<Box> leaves;
    leaves.reserve(items_.size() / kLeafSize + 1);
    for (std::size_t first = 0; first < items_.size(); first += kLeafSize) {
        Box box = items_[first];
        const std::size_t end = std::min(items_.size(), first + kLeafSize);
        for (std::size_t item = first + 1; item < end; ++item) {
            box = Union(box, items_[item]);
        }
        leaves.push_back(box);
    }
    levels_.push_back(std::move(leaves));
    while (levels_.back().size() > 1) {
        const std::vector<Box>& below = levels_.back();
        std::vector<Box> above;
        above.reserve(below.size() / 2 + 1);
        for (std::size_t node = 0; node < below.size(); node += 2) {
            above.push_back(node + 1 < below.size() ? Union(below[node], below[node + 1]) : below[node]);
        }
        levels_.push_back(std::move(above));
    }
}

}  // namespace pathsmith
