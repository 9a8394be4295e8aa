// Unit conversions of the job writer.
#include "JobUnits.h"

#include <cmath>
#include <limits>

#include "JobCommandBytes.h"

namespace motionlink {
namespace {

std::optional<std::int32_t> ScaleToInt32(double value, double scale) {
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    const double rounded = std::round(value * scale);
    if (rounded < std::numeric_limits<std::int32_t>::min() ||
        rounded > std::numeric_limits<std::int32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(rounded);
}

std::optional<std::int32_t> ScaleNonNegative(double value, double scale) {
    if (!(value >= 0.0)) {
        return std::nullopt;
    }
    return ScaleToInt32(value, scale);
}

std::optional<std::uint16_t> ScaleToPowerLevel(double value, double fullScale) {
    if (!(value >= 0.0 && value <= fullScale)) {
        return std::nullopt;
    }
    return static_cast<std::uint16_t>(std::round(value / fullScale * kFullPowerLevel));
}

}  // namespace

std::optional<std::int32_t> MillimetresToMicrometres(double millimetres) {
    return ScaleToInt32(millimetres, 1000.0);
}

std::optional<std::int32_t> SpeedToMicrometresPerSecond(double millimetresPerSecond) {
    return ScaleNonNegative(millimetresPerSecond, 1000.0);
}

std::optional<std::int32_t> SecondsToMicroseconds(double seconds) {
    return ScaleNonNegative(seconds, 1e6);
}

std::optional<std::int32_t> MillisecondsToMicroseconds(double milliseconds) {
    return ScaleToInt32(milliseconds, 1000.0);
}

std::optional<std::uint16_t> PercentToPowerLevel(double percent) {
    return ScaleToPowerLevel(percent, 100.0);
}

std::optional<std::uint16_t> FractionToPowerLevel(double fraction) {
    return ScaleToPowerLevel(fraction, 1.0);
}

}  // namespace motionlink
