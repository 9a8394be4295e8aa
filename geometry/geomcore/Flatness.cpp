// The flatness rule for sampling Bezier records.
#include "Flatness.h"

#include "PointMath.h"

namespace geomcore {

namespace {

// Enough for any drawing that fits a machine table at far below a micrometre.
constexpr int kMaxFlatSteps = 1 << 16;

bool EndPiecesFlat(const CFileLine& bezier, int steps, double threshold) {
    const double piece = 1.0 / steps;
    const double half = piece / 2.0;
    const SDPoint headMiddle = Midpoint(bezier.GetPoint(0.0), bezier.GetPoint(piece));
    const SDPoint tailMiddle = Midpoint(bezier.GetPoint(1.0 - piece), bezier.GetPoint(1.0));
    return Distance(bezier.GetPoint(half), headMiddle) < threshold &&
           Distance(bezier.GetPoint(1.0 - half), tailMiddle) < threshold;
}

}  // namespace

int FlatStepCount(const CFileLine& bezier, double threshold) {
    int steps = 2;
    while (steps < kMaxFlatSteps && !EndPiecesFlat(bezier, steps, threshold)) {
        ++steps;
    }
    return steps;
}

void AppendInteriorSamples(const CFileLine& bezier, double threshold, std::vector<SDPoint>& points) {
    const double step = 1.0 / FlatStepCount(bezier, threshold);
    for (double t = step; t < 1.0; t += step) {
        points.push_back(bezier.GetPoint(t));
    }
}

}  // namespace geomcore
