// Joining the open imported curves whose ends meet, before they join the drawing.
#pragma once

#include "CadElement.h"
#include "DbList.h"

// Two passes over the list; in each, every open curve A in turn takes the later open curves of its
// colour whose rectangle meets A's grown by `tolerance` mm and whose end lies within `tolerance` of one
// of A's ends, in list order, and is auto-closed with `tolerance` after each join; a curve once closed
// leaves the pass. Partners leave the list and are deleted. Closed curves, empty curves and other
// elements are set aside (in the order the passes meet them) and appended behind the curves still open.
//
// The partners are found through a grid of the curves' end points, which gives the very joins, in the
// same order, that the plain walk over every later curve would make.
void JoinImportedCurves(CDbList<CCadElement*>& staging, double tolerance);
