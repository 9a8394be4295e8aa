// The generated pattern: one dot (or, in grid mode, one line) and one row of dots with its box.
#pragma once

#include <cstdint>
#include <deque>
#include <span>
#include <vector>

#include "HugePageSlab.h"
#include "LgpGeometry.h"
#include "LgpParams.h"

namespace dotplate {

struct LgpDot {
    std::uint16_t kind = kHorizontalLine;  // the LgpDotMode that made it
    // Centre and size in mm for every kind but kGrid, whose four values are the line's start x,
    // start y, end x and end y.
    double x = 0.0;
    double y = 0.0;
    double w = 1.0;
    double h = 1.0;

    // What the dot covers: a horizontal or vertical line, the grid line's box, or the dot's box.
    LgpBox Extent() const;
};

struct LgpDotRow {
    LgpBox bounds;
    std::vector<LgpDot> dots;  // in generation order

    void CalcBounds();
};

// Stable sorts by centre x or centre y, ascending when the flag is 1, descending when it is 0.
void SortDotsByX(std::vector<LgpDot>& dots, int ascending);
void SortDotsByY(std::vector<LgpDot>& dots, int ascending);

// Every dot of the rows gathered into columns of exactly equal x, in ascending x, each column in
// ascending y: the order in which vertical lines are cut and exported.
struct LgpDotColumns {
    std::vector<LgpDot, HugePageAllocator<LgpDot>> dots;  // every dot, column after column
    std::vector<std::span<const LgpDot>> columns;         // views into dots

    LgpDotColumns() = default;
    LgpDotColumns(LgpDotColumns&&) = default;  // the views keep pointing into the moved storage
    LgpDotColumns(const LgpDotColumns&) = delete;
    LgpDotColumns& operator=(const LgpDotColumns&) = delete;

    auto begin() const { return columns.begin(); }
    auto end() const { return columns.end(); }
};
LgpDotColumns DotColumns(const std::deque<LgpDotRow>& rows);

}  // namespace dotplate
