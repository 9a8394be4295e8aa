// Model millimetres to the integer logical units of drawing (0.001 mm): the one conversion that the curve
// classes, the drawing primitives and the drawing model share.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

#include "GdiTypes.h"
#include "SDPoint.h"

constexpr double kLogicalUnitsPerMm = 1000.0;

// Truncated toward zero. Values beyond the 32-bit range are held at its ends and a NaN becomes 0, so a
// stray coordinate of a damaged drawing lands off the sheet instead of converting out of range.
inline std::int32_t TruncateToInt32(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    constexpr double kLowest = std::numeric_limits<std::int32_t>::min();
    constexpr double kHighest = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(std::fmin(std::fmax(value, kLowest), kHighest));
}

inline std::int32_t ToLogicalUnits(double mm) {
    return TruncateToInt32(mm * kLogicalUnitsPerMm);
}

inline platform::Point ToLogicalUnits(SDPoint mm) {
    return {ToLogicalUnits(mm.x), ToLogicalUnits(mm.y)};
}
