// Layout arithmetic of packed bitmaps and the bounded check of untrusted ones.
#include "DibLayout.h"

#include "BitmapRecords.h"
#include "LittleEndian.h"

namespace platform {
namespace {

constexpr std::uint32_t kInfoPaletteEntrySize = 4;
constexpr std::uint32_t kCorePaletteEntrySize = 3;

bool IsSupportedBitCount(std::uint32_t bitCount) {
    return bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 || bitCount == 24 ||
           bitCount == 32;
}

// Run-length compression exists only for 8-bit (form 1) and 4-bit (form 2) pixels.
bool CompressionFitsDepth(std::uint32_t compression, std::uint32_t bitCount) {
    switch (static_cast<DibCompression>(compression)) {
        case DibCompression::None:
            return true;
        case DibCompression::RunLength8:
            return bitCount == 8;
        case DibCompression::RunLength4:
            return bitCount == 4;
    }
    return false;
}

// Fills in the offsets and sizes from the basic fields; nothing when they need more than
// `availableBytes`. Every product is guarded so that no value can wrap.
std::optional<DibLayout> PlaceParts(DibLayout layout, std::uint64_t storedImageSize,
                                    std::uint64_t availableBytes) {
    layout.stride = DibRowStride(layout.width, layout.bitCount);
    layout.paletteOffset = layout.headerSize;
    layout.pixelOffset =
        layout.paletteOffset + std::uint64_t{layout.paletteEntries} * layout.paletteEntrySize;
    if (layout.pixelOffset > availableBytes) {
        return std::nullopt;
    }
    const std::uint64_t remaining = availableBytes - layout.pixelOffset;
    if (layout.IsUncompressed()) {
        if (layout.stride > remaining / static_cast<std::uint64_t>(layout.height)) {
            return std::nullopt;
        }
        layout.pixelBytes = layout.stride * static_cast<std::uint64_t>(layout.height);
    } else {
        if (storedImageSize == 0 || storedImageSize > remaining) {
            return std::nullopt;
        }
        layout.pixelBytes = storedImageSize;
    }
    layout.totalBytes = layout.pixelOffset + layout.pixelBytes;
    return layout;
}

std::optional<DibLayout> LayoutOfCoreHeader(std::span<const std::uint8_t> bytes) {
    const std::optional<BitmapCoreHeader> header = DecodeBitmapCoreHeader(bytes);
    if (!header || header->width == 0 || header->height == 0 || header->planes != 1) {
        return std::nullopt;
    }
    if (header->bitCount != 1 && header->bitCount != 4 && header->bitCount != 8 && header->bitCount != 24) {
        return std::nullopt;
    }
    DibLayout layout;
    layout.headerSize = BitmapCoreHeader::kEncodedSize;
    layout.width = header->width;
    layout.height = header->height;
    layout.bitCount = header->bitCount;
    layout.paletteEntries = DibPaletteEntryCount(header->bitCount, 0);
    layout.paletteEntrySize = kCorePaletteEntrySize;
    return PlaceParts(layout, 0, bytes.size());
}

}  // namespace

std::uint64_t DibRowStride(std::int64_t width, std::uint32_t bitCount) {
    if (width <= 0) {
        return 0;
    }
    return (static_cast<std::uint64_t>(width) * bitCount + 31) / 32 * 4;
}

std::uint32_t DibPaletteEntryCount(std::uint32_t bitCount, std::uint32_t colorsUsed) {
    if (colorsUsed != 0) {
        return colorsUsed;
    }
    return bitCount <= 8 ? (1u << bitCount) : 0;
}

std::uint64_t DibPixelOffset(std::uint32_t headerSize, std::uint32_t bitCount, std::uint32_t colorsUsed) {
    return std::uint64_t{headerSize} +
           std::uint64_t{DibPaletteEntryCount(bitCount, colorsUsed)} * kInfoPaletteEntrySize;
}

std::optional<DibLayout> LayoutOfInfoHeader(const BitmapInfoHeader& header, std::uint64_t availableBytes) {
    if (header.headerSize != BitmapInfoHeader::kEncodedSize || header.width <= 0 || header.height <= 0 ||
        header.planes != 1 || !IsSupportedBitCount(header.bitCount) ||
        !CompressionFitsDepth(header.compression, header.bitCount)) {
        return std::nullopt;
    }
    if (header.bitCount <= 8 && header.colorsUsed > (1u << header.bitCount)) {
        return std::nullopt;
    }
    DibLayout layout;
    layout.headerSize = header.headerSize;
    layout.width = header.width;
    layout.height = header.height;
    layout.bitCount = header.bitCount;
    layout.compression = header.compression;
    layout.paletteEntries = DibPaletteEntryCount(header.bitCount, header.colorsUsed);
    layout.paletteEntrySize = kInfoPaletteEntrySize;
    return PlaceParts(layout, header.imageSize, availableBytes);
}

std::optional<DibLayout> ValidatePackedDib(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < 4) {
        return std::nullopt;
    }
    const std::uint32_t headerSize = little_endian::LoadU32(bytes, 0);
    if (headerSize == BitmapCoreHeader::kEncodedSize) {
        return LayoutOfCoreHeader(bytes);
    }
    const std::optional<BitmapInfoHeader> header = DecodeBitmapInfoHeader(bytes);
    if (!header) {
        return std::nullopt;
    }
    return LayoutOfInfoHeader(*header, bytes.size());
}

}  // namespace platform
