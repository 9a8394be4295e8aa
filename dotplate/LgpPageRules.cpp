#include "LgpPageRules.h"

#include <cmath>

namespace dotplate {

namespace {

// Halves away from zero at the given number of steps per unit; values beyond the integer range are
// already far coarser than the step and stay as they are.
double RoundHalfAway(double value, double stepsPerUnit) {
    const double scaled = value * stepsPerUnit;
    if (!std::isfinite(scaled) || std::fabs(scaled) > 9.0e15) {
        return value;
    }
    return std::trunc(scaled + (scaled < 0 ? -0.5 : 0.5)) / stepsPerUnit;
}

}  // namespace

double RoundCoord(double value) { return RoundHalfAway(value, 1000.0); }

double RoundToTenThousandth(double value) { return RoundHalfAway(value, 10000.0); }

double ClampToRange(double value, double low, double high) {
    if (std::isnan(value) || value < low) {
        return low;
    }
    return value > high ? high : value;
}

double DotSizeRule(double value) {
    return RoundToTenThousandth(std::isnan(value) || value < 0.1 ? 0.1 : value);
}

double SpacingRule(double value) {
    return RoundToTenThousandth(std::isnan(value) || value < 0.5 ? 0.5 : value);
}

double GradientRule(double value) {
    if (value == 0.0 || std::isnan(value)) {
        return 0.0;
    }
    constexpr double kSmallest = 0.0001;
    if (std::fabs(value) < kSmallest) {
        return value < 0 ? -kSmallest : kSmallest;
    }
    return RoundToTenThousandth(value);
}

double PlateSizeRule(double value) {
    return RoundHalfAway(std::isnan(value) || value < 1.0 ? 1.0 : value, 10.0);
}

}  // namespace dotplate
