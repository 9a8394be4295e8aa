// Joining the open pieces of a traced outline whose ends lie within a join distance of each other.
#pragma once

#include "CadCurve.h"
#include "DbList.h"

// How a piece B is put to a piece A; the cases are tried in this order and the last one whose ends lie
// within the join distance wins (not the nearest).
enum class ContourJoin {
    None,
    StartToStart,  // B reversed, then before A
    StartToEnd,    // B before A
    EndToStart,    // B after A
    EndToEnd,      // B reversed, then after A
};

// The case for A's ends (s, e) and B's ends, with squared distances compared against joinDistance^2;
// *squaredDistance receives the chosen case's squared distance.
ContourJoin ChooseContourJoin(SDPoint s, SDPoint e, SDPoint bStart, SDPoint bEnd, double joinDistance,
                              double* squaredDistance);

// Puts B to A by the case: ends closer than 0.01 mm are made to meet exactly, farther ones get a straight
// segment between them. A's rectangle becomes the union of both; B is left empty for the caller to delete.
void JoinContours(CCadCurve& a, CCadCurve& b, ContourJoin join, double squaredDistance);

// The curves are all open. For each curve A in list order, the first curve B of the list (not A, not
// closed, its rectangle meeting A's grown by the join distance) that has a case is joined to A and
// deleted, and the search starts again from the first curve with A's new ends, until no B is left.
// Candidates are found through a grid of ends, so that the work grows with the number of pieces rather
// than with its square; the result is that of the walk just described. Progress goes up to
// p0 + progressShare x span.
void JoinOpenContours(CDbList<CCadElement*>& curves, double joinDistance, double p0, double span,
                      double progressShare);

// The end points of a curve's path.
SDPoint ContourStart(const CCadCurve& curve);
SDPoint ContourEnd(const CCadCurve& curve);
