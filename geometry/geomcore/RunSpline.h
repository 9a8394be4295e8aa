// The spline of one run between corners: its points are the control points of a clamped cubic
// B-spline, handed on as a chain of Bezier records.
#pragma once

#include <vector>

#include "FileLine.h"

namespace geomcore {

// Beziers from p[0] to p.back() (p has at least three points). Every record is a copy of
// `recordTemplate` with its type and points replaced.
std::vector<CFileLine> RunSplineBeziers(const std::vector<SDPoint>& p, const CFileLine& recordTemplate);

}  // namespace geomcore
