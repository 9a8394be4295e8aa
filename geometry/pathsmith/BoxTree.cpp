// Builds the levels of the box tree bottom up.
#include "BoxTree.h"

namespace pathsmith {

namespace {

Box Union(const Box& a, const Box& b) {
    return {std::min(a.minX, b.minX), std::min(a.minY, b.minY), std::max(a.maxX, b.maxX),
            std::max(a.maxY, b.maxY)};
}

// Appends one box per group of `group` boxes of `below` to `above`.
void AppendGroups(const std::vector<Box>& below, std::size_t group, std::vector<Box>& above) {
    for (std::size_t first = 0; first < below.size(); first += group) {
        Box box = below[first];
        const std::size_t end = std::min(below.size(), first + group);
        for (std::size_t node = first + 1; node < end; ++node) {
            box = Union(box, below[node]);
        }
        above.push_back(box);
    }
}

Box UnionOfRange(const std::vector<Box>& boxes, std::size_t first, std::size_t end) {
    Box box = kNowhere;
    for (std::size_t index = first; index < std::min(end, boxes.size()); ++index) {
        box = Union(box, boxes[index]);
    }
    return box;
}

}  // namespace

BoxTree::BoxTree(std::vector<Box> itemBoxes) : items_(std::move(itemBoxes)) {
    BuildLevels();
}

void BoxTree::BuildLevels() {
    levelCount_ = 0;
    if (items_.empty()) {
        return;
    }
    do {
        if (static_cast<int>(levels_.size()) == levelCount_) {
            levels_.emplace_back();
        }
        std::vector<Box>& above = levels_[levelCount_];
        above.clear();
        if (levelCount_ == 0) {
            AppendGroups(items_, kLeafSize, above);
        } else {
            AppendGroups(levels_[levelCount_ - 1], 2, above);
        }
        ++levelCount_;
    } while (levels_[levelCount_ - 1].size() > 1);
}

void BoxTree::Remove(int item) {
    items_[item] = kNowhere;
    std::size_t node = static_cast<std::size_t>(item) / kLeafSize;
    levels_[0][node] = UnionOfRange(items_, node * kLeafSize, (node + 1) * kLeafSize);
    for (int level = 1; level < levelCount_; ++level) {
        node /= 2;
        levels_[level][node] = UnionOfRange(levels_[level - 1], 2 * node, 2 * node + 2);
    }
}

}  // namespace pathsmith
