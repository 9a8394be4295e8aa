// Conversions of the canvas between device pixels, logical units (0.001 mm) and millimetres through a
// context that carries the view's mapping.
#pragma once

#include <cmath>

#include "DeviceContext.h"
#include "LogicalUnits.h"
#include "SDPoint.h"

namespace canvas {

inline SDPoint LogicalToMm(platform::Point logical) {
    return {logical.x / kLogicalUnitsPerMm, logical.y / kLogicalUnitsPerMm};
}

inline SDPoint DeviceToMm(const platform::DeviceContext& dc, platform::Point device) {
    return LogicalToMm(dc.DPtoLP(device));
}

// Millimetres truncated to logical units, then to pixels.
inline platform::Point MmToDevice(const platform::DeviceContext& dc, SDPoint mm) {
    return dc.LPtoDP(ToLogicalUnits(mm));
}

// Millimetres rounded to logical units, then to pixels: the handles and the grid.
inline platform::Point MmToDeviceRounded(const platform::DeviceContext& dc, SDPoint mm) {
    return dc.LPtoDP(platform::Point{TruncateToInt32(std::round(mm.x * kLogicalUnitsPerMm)),
                                     TruncateToInt32(std::round(mm.y * kLogicalUnitsPerMm))});
}

// A box of `half` pixels on each side of the point; the right and bottom edges lie outside.
inline platform::Rect BoxAround(platform::Point centre, int half) {
    return {centre.x - half, centre.y - half, centre.x + half, centre.y + half};
}

}  // namespace canvas
