#include "LgpDot.h"

#include <algorithm>

namespace dotplate {

namespace {

template <typename Key>
void StableSortBy(std::vector<LgpDot>& dots, int ascending, Key key) {
    if (ascending != 0) {
        std::stable_sort(dots.begin(), dots.end(), [key](const LgpDot& a, const LgpDot& b) { return key(a) < key(b); });
    } else {
        std::stable_sort(dots.begin(), dots.end(), [key](const LgpDot& a, const LgpDot& b) { return key(a) > key(b); });
    }
}

}  // namespace

LgpBox LgpDot::Extent() const {
    switch (kind) {
        case kHorizontalLine:
            return LgpBox::FromCorners({x - w / 2, y}, {x + w / 2, y});
        case kVerticalLine:
            return LgpBox::FromCorners({x, y - h / 2}, {x, y + h / 2});
        case kGrid:
            return LgpBox::FromCorners({x, y}, {w, h});
        default:
            return LgpBox::FromCorners({x - w / 2, y - h / 2}, {x + w / 2, y + h / 2});
    }
}

void LgpDotRow::CalcBounds() {
    if (dots.empty()) {
        return;
    }
    bounds = dots.front().Extent();
    for (const LgpDot& dot : dots) {
        bounds.Unite(dot.Extent());
    }
}

void SortDotsByX(std::vector<LgpDot>& dots, int ascending) {
    StableSortBy(dots, ascending, [](const LgpDot& dot) { return dot.x; });
}

void SortDotsByY(std::vector<LgpDot>& dots, int ascending) {
    StableSortBy(dots, ascending, [](const LgpDot& dot) { return dot.y; });
}

LgpDotColumns DotColumns(const std::deque<LgpDotRow>& rows) {
    LgpDotColumns columns;
    std::size_t count = 0;
    for (const LgpDotRow& row : rows) {
        count += row.dots.size();
    }
    std::vector<LgpDot>& all = columns.dots;
    all.reserve(count);
    for (const LgpDotRow& row : rows) {
        all.insert(all.end(), row.dots.begin(), row.dots.end());
    }
    // One stable sort by x and then y orders the dots as sorting by x, splitting at every new x and
    // sorting each column by y would.
    std::stable_sort(all.begin(), all.end(),
                     [](const LgpDot& a, const LgpDot& b) { return a.x < b.x || (a.x == b.x && a.y < b.y); });
    for (std::size_t first = 0; first < all.size();) {
        std::size_t end = first + 1;
        while (end < all.size() && all[end].x == all[first].x) {
            ++end;
        }
        columns.columns.emplace_back(all.data() + first, end - first);
        first = end;
    }
    return columns;
}

}  // namespace dotplate
