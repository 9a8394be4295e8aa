#include "LgpPageRules.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string_view>

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

double BlankDistanceRule(double value) { return ClampToRange(value, -1000.0, 1000.0); }

double SpeedRule(double value) { return ClampToRange(value, 0.1, 10000.0); }

double PowerRule(double value) { return ClampToRange(value, 0.1, 100.0); }

double ScanPrecisionRule(double value) { return ClampToRange(value, 10.0, 10000.0); }

double DelayRule(double value) { return ClampToRange(std::isfinite(value) ? std::trunc(value) : 0.0, -10000.0, 10000.0); }

double ArraySpaceRule(double value) { return ClampToRange(value, -10000.0, 10000.0); }

std::uint16_t ArrayCountRule(int value) { return static_cast<std::uint16_t>(std::clamp(value, 1, 500)); }

std::int16_t ArrayDirectionRule(int value) { return static_cast<std::int16_t>(std::clamp(value, 0, 3)); }

std::int16_t NextArrayDirection(std::int16_t direction) {
    return static_cast<std::int16_t>((ArrayDirectionRule(direction) + 1) % 4);
}

double DotTimeRule(double value) { return RoundHalfAway(ClampToRange(value, 0.001, 1000.0), 1000.0); }

LgpResize LockedResize(double typed, double typedSide, double otherSide) {
    LgpResize resize;
    resize.typed = std::isnan(typed) || typed < 1.0 ? 1.0 : typed;
    if (!(typedSide > 0) || !(otherSide > 0)) {
        resize.other = otherSide;
        return resize;
    }
    resize.other = otherSide * resize.typed / typedSide;
    if (resize.other < 1.0) {
        resize.other = 1.0;
        resize.typed = typedSide / otherSide;
    }
    return resize;
}

std::string FormatEditValue(double value, const char* format) {
    char text[64];
    if (std::string_view(format) == "%d") {
        std::snprintf(text, sizeof text, "%d", static_cast<int>(std::clamp(std::trunc(value), -2.0e9, 2.0e9)));
    } else {
        std::snprintf(text, sizeof text, format, value);
    }
    return text;
}

}  // namespace dotplate
