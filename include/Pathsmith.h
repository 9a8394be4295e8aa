// Pathsmith: the curve editing engines (offset, double offset, bridges, closing, joining, union of
// outlines, self-crossing, rings, crossing and overlap of contours) as plain functions.
//
// Every export returns a signed 16-bit status, 0 for done. Segment lists are the segments of one
// contour in drawing order, each taken as the straight chord from its start to its end. Curves that an
// export appends to a curve list are new CMyCurve objects of line segments; from then on they belong
// to the caller, who deletes them through their virtual destructor. Inputs stay the caller's; the
// exports that edit them in place say so. A null list counts as an empty one. No export keeps state
// between calls, so different threads may call them at the same time on different lists.
#pragma once

#include "DbList.h"
#include "LineEx.h"
#include "MyCurve.h"

// Offsets one contour by distance on side 1 (inward: a closed contour shrinks) or 0 (outward: it
// grows) and appends one curve per resulting ring. Segments whose ends coincide are deleted from the
// input list first. Status 1 when the list is empty, the contour crosses itself, the distance or the
// side is not usable, or no curve results.
short Zint_Offset(CDbList<CLineEx>* segments, CDbList<CMyCurve*>* curves, double distance, int side,
                  int unused);

// Appends the outlines at distance on both sides of one contour, with mitred corners: the inner and
// the outer outlines of a closed contour (each ring a curve of its own), or one outline around an open
// contour. Segments whose ends coincide are deleted from the input list first. Status 1 when the list
// is empty, the contour crosses itself or the distance is not usable.
short Zint_DoubleOffset(CDbList<CLineEx>* segments, CDbList<CMyCurve*>* curves, double distance);

// Writes the contour to output as cut pieces (type 0) and bridge pieces (type 2 with bridgeMark 1,
// type 1 with bridgeMark 0, else type 0); Beziers kept whole are type 3.
//   mode 0: along every segment, cuts of cutLengthMode0 and bridges of bridgeWidth in turn;
//   mode 1: a bridge centred on the start point and bridgeCount spans with evenly spaced bridges;
//   mode 2: one bridge at the point (x, y) picked within hitTolerance, added to output's pieces;
//   mode 3: cuts of cutLengthMode3 and bridges in turn, running on over the segment joints.
// Status 1 when the bridge width, the mode 0 or mode 3 cut length or the mode 1 bridge count is 0 or
// less (such a pattern would never advance) or the pattern would make more than ten million pieces;
// mode 2 gives -1 when the point hits no piece; otherwise 0, also for unknown modes, which change
// nothing.
short Zint_Addbridge(CDbList<CLineEx>* contour, CDbList<CLineEx>* output, int bridgeMark, double bridgeWidth,
                     short mode, double cutLengthMode0, short bridgeCount, double cutLengthMode3, double x,
                     double y, double hitTolerance);

// Sets the last segment's end to the first segment's start when they are at most tolerance apart.
// Status 0 when closed, 1 when the list is empty or the gap is wider.
short Zint_CloseCurve(CDbList<CLineEx>* segments, double tolerance);

// Appends each curve to the one before it in the list when it starts within tolerance of that curve's
// end, deleting the appended curve. Status 1 for an empty list, else 0.
short Zint_CombineLine(CDbList<CMyCurve*>* curves, double tolerance);

// Status 0 when two segments of the contour cross; 1 when the list is empty or free of crossings.
short Zint_IsSelfCross(CDbList<CLineEx>* segments);

// Appends one curve per ring into which the contour's crossings divide it (status 1), or one copy of
// the contour when it does not cross itself (status 0). Status 1 for an empty list.
short Zint_GetSelfRing(CDbList<CLineEx>* segments, CDbList<CMyCurve*>* curves);

// Status 0 when the two contours cross; 1 when either list is empty or they do not.
short Zint_IsCross(CDbList<CLineEx>* first, CDbList<CLineEx>* second);

// Replaces pairs of crossing closed curves of the list by the outline of their union, which takes the
// first curve's colour and the merged flag; the two inputs are deleted. Status 0.
short Zint_CurveCombine(CDbList<CMyCurve*>* curves);

// Status 0 when a segment of one contour lies along a segment of the other within tolerance; else 1.
short Zint_IsOverlap(CDbList<CLineEx>* first, CDbList<CLineEx>* second, double tolerance);

// Removes, from either list, the segments that lie along a segment of the other within tolerance,
// and shortens partly overlapping segments of the second list. Status 0.
short Zint_DelOverlap(CDbList<CLineEx>* first, CDbList<CLineEx>* second, double tolerance);
