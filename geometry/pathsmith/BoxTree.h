// A bounding-box tree over items kept in their own order (segments along a contour are already
// close to their neighbours), for box, distance and ray queries without a pairwise scan.
#pragma once

#include <algorithm>
#include <array>
#include <limits>
#include <vector>

#include "SegmentGeometry.h"

namespace pathsmith {

// A box that overlaps no box and leaves any box it is united with as it was.
inline constexpr Box kNowhere{
    std::numeric_limits<double>::infinity(), std::numeric_limits<double>::infinity(),
    -std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity()};

class BoxTree {
  public:
    BoxTree() = default;
    explicit BoxTree(std::vector<Box> itemBoxes);

    // The items become boxOf(0) .. boxOf(count - 1) and the tree is built again in the storage it
    // already holds, so that an index rebuilt over and over allocates nothing once it has grown.
    template <typename BoxOfItem>
    void Rebuild(int count, BoxOfItem&& boxOf) {
        items_.resize(count);
        for (int item = 0; item < count; ++item) {
            items_[item] = boxOf(item);
        }
        BuildLevels();
    }

    // The item is found by no search from now on.
    void Remove(int item);

    // The box around every item; the tree must hold at least one.
    const Box& Bounds() const { return levels_[levelCount_ - 1].front(); }

    // Calls visit(index) for every item whose box overlaps the query box, in ascending order, until
    // visit returns true; returns true when a visit stopped the search.
    template <typename Visit>
    bool Search(const Box& query, Visit&& visit) const {
        if (items_.empty()) {
            return false;
        }
        struct Entry {
            int level;
            int node;
        };
        // A depth-first walk of a binary tree never holds more than one entry per level plus one.
        std::array<Entry, 2 * kMaxLevels> stack;
        int depth = 0;
        stack[depth++] = {levelCount_ - 1, 0};
        while (depth > 0) {
            const Entry entry = stack[--depth];
            if (!levels_[entry.level][entry.node].Overlaps(query)) {
                continue;
            }
            if (entry.level > 0) {
                const int firstChild = 2 * entry.node;
                if (firstChild + 1 < static_cast<int>(levels_[entry.level - 1].size())) {
                    stack[depth++] = {entry.level - 1, firstChild + 1};
                }
                stack[depth++] = {entry.level - 1, firstChild};
                continue;
            }
            const int end = std::min(static_cast<int>(items_.size()), (entry.node + 1) * kLeafSize);
            for (int item = entry.node * kLeafSize; item < end; ++item) {
                if (items_[item].Overlaps(query) && visit(item)) {
                    return true;
                }
            }
        }
        return false;
    }

  private:
    static constexpr int kLeafSize = 8;
    static constexpr int kMaxLevels = 40;

    void BuildLevels();

    std::vector<Box> items_;
    // levels_[0] holds one box per leaf of kLeafSize items; each level above pairs the one below,
    // up to a single root at levels_[levelCount_ - 1]. Levels beyond it are spare storage.
    std::vector<std::vector<Box>> levels_;
    int levelCount_ = 0;
};

}  // namespace pathsmith
