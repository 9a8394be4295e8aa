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

}  // namespace pathsmith
