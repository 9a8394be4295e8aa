// The segment tests of overlap removal: zero-length segments, Bezier segments that repeat one another, and
// straight segments that lie on, contain or partly run along one another. Distances in mm.
#pragma once

#include "CadRect.h"
#include "FileLine.h"

namespace overlap {

constexpr double kPointTolerance = 0.001;  // per axis, strictly less

enum class StraightOutcome { Nothing, RemoveB, RemoveA, TrimB };

// Both coordinate differences of the two points strictly below tol.
bool PointsMeet(SDPoint a, SDPoint b, double tol = kPointTolerance);
// The segment's ends meet within the point tolerance.
bool IsShortSegment(const CFileLine& segment);
// Distance of p from the line (perpendicular) and from the segment.
void ProjectPoint(const CFileLine& segment, SDPoint p, double* perpendicular, double* along);
// The box of the segment's two ends, normalised.
CCadRect EndBox(const CFileLine& segment);
bool IsBezierDuplicate(const CFileLine& a, const CFileLine& b, double tol);
// The straight-segment test; for TrimB it has moved one end of b onto an end of a.
StraightOutcome TestStraight(const CFileLine& a, CFileLine& b, double tol);

}  // namespace overlap
