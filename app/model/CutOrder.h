// CCutOrder: the cut order's containment rules. A part falls once its outline is cut, so whatever lies
// inside a closed curve is bound to it (in a CCadOrderGroup with that curve as reference) and cut first.
#pragma once

#include <cstdint>

#include "CadCurve.h"
#include "CadOrderGroup.h"
#include "DbList.h"

class CCutOrder {
  public:
    CCutOrder() = default;
    virtual ~CCutOrder();
    CCutOrder(const CCutOrder&) = delete;
    CCutOrder& operator=(const CCutOrder&) = delete;

    // Reorders the list in place for cutting from (startX, startY) in the direction code (1..8): bands
    // and cells swept from the start corner, inner contours first when insideToOutside is non-zero,
    // nearest neighbour within a cell, bitmaps last in their earlier order. Elements are never copied.
    void Optimize(CDbList<CCadElement*>& list, std::int32_t insideToOutside, std::uint16_t code,
                  double startX, double startY);
    // Deletes the order groups still held in the ordering list (never the drawing's elements they hold)
    // and empties it.
    void Clear();

    // One pass over the list: curves and order groups (standing for their reference curves) that lie
    // inside a closed curve move into an order group of that curve, which takes the curve's place in the
    // list. Other items stay where they are. The list keeps owning what it held, now through the groups.
    static void GroupByContainment(CDbList<CCadElement*>& list);
    // 1 when the inner curve lies inside the outer one: an open inner curve whose rectangle meets the
    // outer's within 0.001 mm, else the inner's first point inside the outer contour. 0 for non-curves.
    static int IsInside(const CCadElement* outer, const CCadElement* inner);
    // 1 when the point (mm) lies inside the contour: within the rectangle (bounds included) and the
    // angles the contour subtends at it summing to 2 pi within 0.001.
    static int PointInContour(SDPoint point, const CDbList<CFileLine>& segments, const CCadRect& rect);

  private:
    CDbList<CCadElement*> items_;  // the ordering list during a call
    CCadRect box_;                 // of the list last sorted by direction; (0, 0)-(100, 100) at first
};
