// Builders of packed bitmaps for the bitmap tests: a header, a colour table and rows, put together
// byte by byte as they would arrive from a file.
#pragma once

#include "BitmapRecords.h"

#include <cstdint>
#include <vector>

namespace platform::testing {

using Bytes = std::vector<std::uint8_t>;

// An info header for width x height at bitCount with colorsUsed entries; the image size is left 0.
BitmapInfoHeader MakeInfoHeader(std::int32_t width, std::int32_t height, std::uint16_t bitCount,
                                std::uint32_t colorsUsed = 0);

// The header's bytes, then `palette` entries, then `pixels`, as one packed bitmap.
Bytes PackDib(const BitmapInfoHeader& header, const std::vector<RgbQuad>& palette, const Bytes& pixels);

}  // namespace platform::testing
