// CCutOrder: the order in which the elements of a list are cut. The list is split into bands and cells
// swept from the start corner, whatever lies inside a closed curve can be bound to it (in a
// CCadOrderGroup with that curve as reference) and cut first, and within a cell items are taken by
// nearest neighbour, each curve turned to start where the head is. Elements are reordered, rotated or
// reversed, never copied; the order groups made on the way are this object's and never outlive a call.
#pragma once

#include <cstdint>
#include <vector>

#include "CadCurve.h"
#include "CadOrderGroup.h"
#include "DbList.h"

class CCutOrder {
  public:
    // The distance (mm²) of an item that offers no point to start from: an empty curve or group.
    static constexpr double kNoDistance = 100000.0;

    CCutOrder() = default;
    virtual ~CCutOrder();
    CCutOrder(const CCutOrder&) = delete;
    CCutOrder& operator=(const CCutOrder&) = delete;

    // Reorders the list in place for cutting from (startX, startY) in the direction code (1..8): bands
    // and cells swept from the start corner, inner contours first when insideToOutside is non-zero,
    // nearest neighbour within a cell, bitmaps last in their earlier order. A list of bitmaps alone is
    // left as it is.
    void Optimize(CDbList<CCadElement*>& list, std::int32_t insideToOutside, std::uint16_t code,
                  double startX, double startY);
    // Deletes the order groups of this object still held (never the elements they hold) and empties the
    // ordering list.
    void Clear();

    // Replaces the list's items by cells (order groups without reference) in cutting order: bands of the
    // band height along the code's sweep, each band cut across into cells visited in a serpentine that
    // starts at the box edge nearer the start point. With `straddle` set, an item sticking out of its
    // band takes along every item that lies inside it. Stores the list's box.
    void SortByDirection(CDbList<CCadElement*>& list, std::uint16_t code, double startX, double startY,
                         int straddle);
    // The containment tree of the list: a closed curve holding other curves becomes the reference of an
    // order group of them, at every depth.
    void NestByContainment(CDbList<CCadElement*>& list);
    // Orders the group's subtree from the point, which moves to where the last cut ends; the group's
    // reference curve is taken last.
    void OrderGroup(CCadOrderGroup* group, std::uint16_t code, SDPoint& point);

    // Gathers the items into blocks along the code's sweep within the box last stored (a block being an
    // order group without reference), orders each block's items by nearest rectangle corner and leaves
    // them flattened in the list; the point moves along.
    void ScanBlockOrder(CDbList<CCadElement*>& list, std::uint16_t code, SDPoint& point);
    // Replaces the list's items by blocks and single items in band order, within the box last stored.
    void BlockPass(CDbList<CCadElement*>& list, std::uint16_t code);
    const CCadRect& Box() const { return box_; }

    // Every element moves its start to the node nearest to the point.
    static void FindStartPoints(CDbList<CCadElement*>& list, SDPoint point);
    // Every element applies its backlash compensation relative to the job origin in the rectangle, which
    // the laser-head position chooses.
    static void ApplyBacklash(CDbList<CCadElement*>& list, const CCadRect& rect);

    // The nearest-neighbour measures (squared distances, mm²). CurveDistance also gives the node to start
    // at (0 unchanged; an open curve's segment count: reversed); SetCurveStart turns the curve so and
    // moves the point to its new end. MayBeNearer is 0 when the rectangle cannot hold anything nearer to
    // the point than the radius.
    static double CurveDistance(const CCadCurve* curve, int& index, SDPoint point);
    static void SetCurveStart(CCadCurve* curve, int index, SDPoint& point);
    static int MayBeNearer(const CCadRect& rect, SDPoint point, double radius);

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
    enum class Axis { X, Y };

    CCadOrderGroup* NewGroup();
    // Deletes one of this object's groups without touching its children or reference.
    void DeleteGroup(CCadOrderGroup* group);
    bool IsOwnGroup(const CCadElement* element) const;
    // Appends the item to the list: one of this object's groups as its content (children in order, then
    // the reference), the group itself deleted; any other item as it is.
    void FlattenInto(CCadElement* item, CDbList<CCadElement*>& list);

    void BandPass(CDbList<CCadElement*>& list, Axis axis, int sign, int straddle, const CCadRect& box);
    static void ContainmentPass(CDbList<CCadElement*>& list, CCutOrder* owner);

    void OrderNearest(CCadOrderGroup* group, std::uint16_t code, SDPoint& point);
    // Takes a picked item; startIndex is the node its pick found for a curve to start at.
    void TakeItem(CCadElement* item, int startIndex, std::uint16_t code, SDPoint& point);
    void OrderGroupElement(CCadElement* element, SDPoint& point, std::uint16_t code);
    void OrderInGroupElement(CCadOrderGroup* group, SDPoint& point, std::uint16_t code);
    static void TakeReference(const CCadOrderGroup* group, SDPoint& point);

    static void OrderBlock(CCadOrderGroup* block, SDPoint& point);

    // An order group this object made: its owner tells it from order groups that came with the list, and
    // its slot in groups_ lets it leave that table without a search.
    struct OwnGroup;

    CDbList<CCadElement*> items_;    // the ordering list during a call
    CCadRect box_;                   // of the list last sorted; (0, 0)-(100, 100) at first
    std::vector<OwnGroup*> groups_;  // the order groups this object made and still holds
};
