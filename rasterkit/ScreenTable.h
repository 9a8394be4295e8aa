// The threshold table of the halftone screen: one 64 x 64 period of a round spot.
#pragma once

#include <array>
#include <cstdint>

namespace rasterkit {

inline constexpr int kScreenPeriod = 64;
using ScreenTable = std::array<std::array<std::uint8_t, kScreenPeriod>, kScreenPeriod>;

// Thresholds 0..254: 0 at the middle of the period (rows and columns 31 and 32), rising outward to about
// 152 at the middle of each edge and 254 at the corners.
const ScreenTable& ScreenThresholds();

// Side in pixels of the screen cell for a picture `widthPixels` wide over `widthMm`:
// trunc(25.4 / linesPerInch x pixels per mm + 0.5), limited to 4..64. Requires linesPerInch > 0 and
// widthMm > 0.
int ScreenCell(int linesPerInch, std::int32_t widthPixels, double widthMm);

}  // namespace rasterkit
