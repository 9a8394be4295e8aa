// BoxGrid: a uniform grid over boxes, for finding the few boxes near a given one among many. Entries are
// only added: a box that changes is added again under the same id, and callers test what they get.
#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "CadRect.h"

// How an operation over many elements finds the near ones: through grids, or by the plain walk over every
// pair that the grids must match (kept as the reference of tests and benchmarks).
enum class SpatialSearch { Indexed, Pairwise };

class BoxGrid {
  public:
    // A cell size suited to boxes of this typical extent (mm).
    explicit BoxGrid(double cellSize);

    void Insert(int id, const CCadRect& box);
    // Every id whose box (as inserted, any time) may meet the box grown by margin; ascending, unique.
    std::vector<int> Query(const CCadRect& box, double margin) const;
    // A cell size from the mean extent of the boxes and the margin of the queries.
    static double CellSizeFor(const std::vector<CCadRect>& boxes, double margin);

  private:
    static constexpr std::int64_t kMaxCellsPerBox = 64;  // larger boxes are always returned
    struct CellRange {
        std::int64_t x1, y1, x2, y2;
    };
    CellRange Cells(const CCadRect& box, double margin) const;
    static std::uint64_t Key(std::int64_t x, std::int64_t y);

    double cellSize_;
    std::unordered_map<std::uint64_t, std::vector<int>> cells_;
    std::vector<int> oversized_;
};
