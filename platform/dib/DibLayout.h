// Where the parts of a packed device-independent bitmap lie (header, colour table, pixel rows), the
// arithmetic that places them, and the bounded check of a packed bitmap that comes from outside.
//
// A packed bitmap is one run of bytes: an info header (40 bytes) or a core header (12 bytes), the colour
// table, then the pixel rows, the bottom row of the picture first, each row padded to a multiple of
// 4 bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace platform {

// Bytes of one pixel row: (width x bitCount + 31) / 32 x 4. Computed in 64 bits so that no header
// value can make it wrap; 0 for a negative width.
std::uint64_t DibRowStride(std::int64_t width, std::uint32_t bitCount);

// Entries of the colour table: colorsUsed when it is not 0, else 2, 16 or 256 for 1, 4 or 8 bits per
// pixel and none for deeper pixels.
std::uint32_t DibPaletteEntryCount(std::uint32_t bitCount, std::uint32_t colorsUsed);

// Offset of the pixel rows from the start of a packed bitmap with an info header:
// header size + colour-table entries x 4.
std::uint64_t DibPixelOffset(std::uint32_t headerSize, std::uint32_t bitCount, std::uint32_t colorsUsed);

// The checked shape of one packed bitmap. Every offset and size lies within the bytes it was made from.
struct DibLayout {
    std::uint32_t headerSize = 0;  // 40 (info header) or 12 (core header)
    std::int32_t width = 0;        // pixels, > 0
    std::int32_t height = 0;       // pixels, > 0; rows stored bottom-up
    std::uint16_t bitCount = 0;    // 1, 4, 8, 16, 24 or 32
    std::uint32_t compression = 0;
    std::uint32_t paletteEntries = 0;
    std::uint32_t paletteEntrySize = 0;  // 4 after an info header, 3 after a core header
    std::uint64_t stride = 0;            // bytes per stored row
    std::uint64_t paletteOffset = 0;
    std::uint64_t pixelOffset = 0;
    std::uint64_t pixelBytes = 0;  // stride x height, or the stored image size of a run-length bitmap
    std::uint64_t totalBytes = 0;  // pixelOffset + pixelBytes; the bytes may go on beyond it

    bool IsUncompressed() const { return compression == 0; }
};

// The layout that an info header describes, when the header is sound (as ValidatePackedDib judges it)
// and `availableBytes` hold everything it promises; nothing otherwise. Lets a reader learn how many bytes
// to expect from a header alone.
struct BitmapInfoHeader;
std::optional<DibLayout> LayoutOfInfoHeader(const BitmapInfoHeader& header, std::uint64_t availableBytes);

// Checks a packed bitmap from untrusted bytes: a known header size, positive width and height, one plane,
// a supported bit count with a matching compression, a colour table no larger than the depth allows,
// and every byte that the header promises present. Reads nothing past the end; gives nothing on any
// failure.
std::optional<DibLayout> ValidatePackedDib(std::span<const std::uint8_t> bytes);

}  // namespace platform
