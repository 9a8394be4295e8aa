// Model millimetres to the integer logical units of drawing (0.001 mm), shared by the curve drawing code.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

#include "GdiTypes.h"
#include "SDPoint.h"

namespace shapecore {

constexpr double kLogicalUnitsPerMm = 1000.0;

// Truncated toward zero. Values beyond the 32-bit range are held at its ends and a NaN becomes 0, so a
// stray coordinate draws somewhere off the sheet instead of converting out of range.
inline std::int32_t ToLogicalUnits(double mm) {
    const double units = std::trunc(mm * kLogicalUnitsPerMm);
    if (std::isnan(units)) {
        return 0;
    }
    constexpr double kLowest = std::numeric_limits<std::int32_t>::min();
    constexpr double kHighest = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(units < kLowest ? kLowest : (units > kHighest ? kHighest : units));
}

inline platform::Point ToLogicalUnits(SDPoint mm) {
    return {ToLogicalUnits(mm.x), ToLogicalUnits(mm.y)};
}

}  // namespace shapecore
