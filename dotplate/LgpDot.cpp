#include "LgpDot.h"

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <unordered_map>

namespace dotplate {

namespace {

template <typename Key>
void StableSortBy(std::vector<LgpDot>& dots, int ascending, Key key) {
    if (ascending != 0) {
        std::stable_sort(dots.begin(), dots.end(),
                         [key](const LgpDot& a, const LgpDot& b) { return key(a) < key(b); });
    } else {
        std::stable_sort(dots.begin(), dots.end(),
                         [key](const LgpDot& a, const LgpDot& b) { return key(a) > key(b); });
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
    // A plate has a few hundred distinct column positions and a million dots: the dots are dealt into
    // their columns in the rows' order and each column is then put in ascending y, which is the order
    // of one stable sort by x and then y, in time linear in the dots where the rows run in y already.
    std::unordered_map<double, std::uint32_t> columnOfX;  // keys compare with ==, as the sort's x does
    std::vector<double> columnX;
    std::vector<std::uint32_t> columnOfDot;
    for (const LgpDotRow& row : rows) {
        for (const LgpDot& dot : row.dots) {
            const auto [entry, added] =
                columnOfX.try_emplace(dot.x, static_cast<std::uint32_t>(columnX.size()));
            if (added) {
                columnX.push_back(dot.x);
            }
            columnOfDot.push_back(entry->second);
        }
    }
    std::vector<std::uint32_t> byX(columnX.size());
    std::iota(byX.begin(), byX.end(), 0u);
    std::sort(byX.begin(), byX.end(),
              [&](std::uint32_t a, std::uint32_t b) { return columnX[a] < columnX[b]; });
    std::vector<std::size_t> columnSize(columnX.size(), 0);
    for (std::uint32_t column : columnOfDot) {
        ++columnSize[column];
    }
    std::vector<std::size_t> nextSlot(columnX.size(), 0);
    std::size_t placed = 0;
    for (std::uint32_t column : byX) {
        nextSlot[column] = placed;
        placed += columnSize[column];
    }
    LgpDotColumns columns;
    columns.dots.resize(columnOfDot.size());
    std::size_t dotIndex = 0;
    for (const LgpDotRow& row : rows) {
        for (const LgpDot& dot : row.dots) {
            columns.dots[nextSlot[columnOfDot[dotIndex++]]++] = dot;
        }
    }
    const auto byY = [](const LgpDot& a, const LgpDot& b) { return a.y < b.y; };
    LgpDot* first = columns.dots.data();
    for (std::uint32_t column : byX) {
        LgpDot* const end = first + columnSize[column];
        if (!std::is_sorted(first, end, byY)) {
            std::stable_sort(first, end, byY);
        }
        columns.columns.emplace_back(first, end - first);
        first = end;
    }
    return columns;
}

}  // namespace dotplate
