// Model millimetres to logical units of 0.001 mm, the one conversion every drawing primitive shares.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

#include "GdiTypes.h"
#include "SDPoint.h"

namespace penkit {

constexpr double kLogicalUnitsPerMm = 1000.0;

// Truncated toward zero; beyond the 32-bit range the nearest limit, and NaN 0, so that no value of a
// damaged drawing makes the conversion undefined.
inline std::int32_t TruncateToInt32(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    constexpr double kLow = std::numeric_limits<std::int32_t>::min();
    constexpr double kHigh = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(std::fmin(std::fmax(value, kLow), kHigh));
}

inline platform::Point ToLogical(SDPoint point) {
    return {TruncateToInt32(point.x * kLogicalUnitsPerMm), TruncateToInt32(point.y * kLogicalUnitsPerMm)};
}

}  // namespace penkit
