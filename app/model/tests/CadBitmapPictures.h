// Pictures for the bitmap element tests: 8-bit grey images drawn by a function of the pixel.
#pragma once

#include <functional>
#include <memory>

#include <gtest/gtest.h>

#include "CadBitmap.h"

// An 8-bit grey picture (the palette of a new 8-bit image is the grey ramp, so an index is its grey level)
// with pixel (x, y), y from the top, of grey(x, y), at `pelsPerMetre` and centred on the origin.
inline std::unique_ptr<CCadBitmap> MakeGreyBitmap(int width, int height, int pelsPerMetre,
                                                  const std::function<int(int, int)>& grey) {
    auto bitmap = std::make_unique<CCadBitmap>();
    EXPECT_EQ(bitmap->CreateDib(width, height, 8, pelsPerMetre, pelsPerMetre), 1);
    const std::size_t stride = bitmap->dib.Layout().stride;
    std::span<std::uint8_t> pixels = bitmap->dib.MutablePixels();
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            pixels[(height - 1 - y) * stride + x] = static_cast<std::uint8_t>(grey(x, y));
        }
    }
    bitmap->CalRect();
    return bitmap;
}
