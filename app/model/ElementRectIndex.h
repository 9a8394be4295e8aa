// ElementRectIndex: the element rectangles of the drawing in a uniform grid, so that the rubber band and
// the press hit test look only at the elements near them. It is built on the first query after a change
// and hands back candidates in element-list order, so that a search through it finds what the walk over
// the whole list finds.
#pragma once

#include <cstdint>
#include <vector>

#include "CadElement.h"
#include "DbList.h"

class ElementRectIndex {
  public:
    // Forgets the grid; the next query builds it again.
    void Invalidate() { built_ = false; }
    // The elements whose rectangle (arrays by their frame) may meet the box grown by the margin (mm), in
    // list order.
    std::vector<CCadElement*> Candidates(const CDbList<CCadElement*>& elements, const CCadRect& box,
                                         double margin);

  private:
    // An element covering more cells than this is kept aside and offered to every query.
    static constexpr std::int64_t kMaxCellsPerElement = 64;
    struct CellRange {
        std::int32_t x1, y1, x2, y2;
    };

    void Build(const CDbList<CCadElement*>& elements);
    // The cells a box meets, held to the grid.
    CellRange Cells(double x1, double y1, double x2, double y2) const;

    bool built_ = false;
    std::vector<CCadElement*> order_;
    // The grid: origin, cell size (mm) and shape; the ids of each cell lie in cellIds_ from
    // cellStart_[cell] to cellStart_[cell + 1], ascending.
    double originX_ = 0.0;
    double originY_ = 0.0;
    double cellSize_ = 1.0;
    std::int32_t columns_ = 1;
    std::int32_t rows_ = 1;
    std::vector<std::uint32_t> cellStart_;
    std::vector<std::uint32_t> cellIds_;
    std::vector<std::uint32_t> oversized_;
    // Per element, the query that last took it, so that an element met in several cells is taken once.
    std::vector<std::uint32_t> seenBy_;
    std::uint32_t query_ = 0;
};
