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

std::vector<std::vector<LgpDot>> DotColumns(const std::deque<LgpDotRow>& rows) {
    std::vector<LgpDot> all;
    for (const LgpDotRow& row : rows) {
        all.insert(all.end(), row.dots.begin(), row.dots.end());
    }
    SortDotsByX(all, 1);
    std::vector<std::vector<LgpDot>> columns;
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (i == 0 || all[i].x != all[i - 1].x) {
            columns.emplace_back();
        }
        columns.back().push_back(all[i]);
    }
    for (auto& column : columns) {
        SortDotsByY(column, 1);
    }
    return columns;
}

}  // namespace dotplate
