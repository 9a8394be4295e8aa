// Bitmaps and BMP files for the bitmap library's tests.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "Archive.h"
#include "DibBlock.h"

namespace rasterkit_test {

// A new bitmap made by the library (white, grey palette, 2835 pels per metre); fails the test otherwise.
platform::DibBlock Created(int width, int height, int bits);

// A bitmap whose pixel (column, stored row) is painted by `paint`: a grey level for 8 bits, 0 or 1 for
// 1 bit, an index for 4 bits, 0xRRGGBB for 24 bits.
platform::DibBlock Painted(int width, int height, int bits, const std::function<std::uint32_t(int, int)>& paint);

// Byte (8 bits) or bit (1 bit) of pixel (column, stored row).
std::uint32_t StoredValue(const platform::DibBlock& dib, int column, int storedRow);

// _dib_getpixel of picture pixel (x, y), y from the top; fails the test when the query fails.
int ColourAt(const platform::DibBlock& dib, int x, int y);

// A BMP file of the bitmap through _dib_write.
std::vector<std::uint8_t> BmpBytes(platform::DibBlock& dib);

// Reads BMP bytes through _dib_read: the status and the bitmap.
std::int32_t ReadBmp(const std::vector<std::uint8_t>& bytes, platform::DibBlock& out);

// A BMP file assembled by hand from an info header's fields, a colour table and pixel bytes.
struct HandBmp {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint16_t bits = 8;
    std::uint32_t compression = 0;
    std::uint32_t imageSize = 0;
    std::int32_t xPels = 0;
    std::int32_t yPels = 0;
    std::uint32_t colorsUsed = 0;
    std::vector<std::uint8_t> palette;  // 4 bytes per entry
    std::vector<std::uint8_t> pixels;
    std::int64_t fileSizeAdjust = 0;    // added to the honest file size field

    std::vector<std::uint8_t> Bytes() const;
};

HandBmp Bmp(std::int32_t width, std::int32_t height, std::uint16_t bits, std::uint32_t compression = 0);

}  // namespace rasterkit_test
