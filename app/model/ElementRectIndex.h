// ElementRectIndex: the element rectangles of the drawing in a grid, so that the rubber band and the
// press hit test look only at the elements near them. It is built on the first query after a change and
// hands back candidates in element-list order, so that a search through it finds what the walk over the
// whole list finds.
#pragma once

#include <memory>
#include <vector>

#include "BoxGrid.h"
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
    void Build(const CDbList<CCadElement*>& elements);

    bool built_ = false;
    std::vector<CCadElement*> order_;
    std::unique_ptr<BoxGrid> grid_;
};
