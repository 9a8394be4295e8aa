// Colour of one pixel of a checked packed bitmap.
#include "DibView.h"

#include <cassert>

namespace platform {
namespace {

std::uint32_t PackRgb(std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
    return (red << 16) | (green << 8) | blue;
}

// A 5-bit channel widened to 8 bits so that full intensity stays full.
std::uint32_t Widen5To8(std::uint32_t channel) {
    return (channel << 3) | (channel >> 2);
}

}  // namespace

std::optional<DibView> DibView::Of(std::span<const std::uint8_t> packedDib) {
    const std::optional<DibLayout> layout = ValidatePackedDib(packedDib);
    if (!layout) {
        return std::nullopt;
    }
    return DibView(packedDib, *layout);
}

std::uint32_t DibView::PaletteRgb(std::uint32_t index) const {
    if (index >= layout_.paletteEntries) {
        return 0;
    }
    const std::size_t entry = layout_.paletteOffset + std::size_t{index} * layout_.paletteEntrySize;
    return PackRgb(bytes_[entry + 2], bytes_[entry + 1], bytes_[entry]);
}

std::uint32_t DibView::PixelRgb(std::int32_t column, std::int32_t row) const {
    assert(layout_.IsUncompressed());
    assert(column >= 0 && column < layout_.width && row >= 0 && row < layout_.height);
    const std::size_t storedRow = static_cast<std::size_t>(layout_.height - 1 - row);
    const std::size_t rowStart = layout_.pixelOffset + storedRow * layout_.stride;
    const std::size_t x = static_cast<std::size_t>(column);
    switch (layout_.bitCount) {
        case 1:
            return PaletteRgb((bytes_[rowStart + x / 8] >> (7 - x % 8)) & 1);
        case 4:
            return PaletteRgb((bytes_[rowStart + x / 2] >> (x % 2 == 0 ? 4 : 0)) & 0x0F);
        case 8:
            return PaletteRgb(bytes_[rowStart + x]);
        case 16: {
            const std::size_t at = rowStart + x * 2;
            const std::uint32_t value = bytes_[at] | (bytes_[at + 1] << 8);
            return PackRgb(Widen5To8((value >> 10) & 0x1F), Widen5To8((value >> 5) & 0x1F),
                           Widen5To8(value & 0x1F));
        }
        case 24: {
            const std::size_t at = rowStart + x * 3;
            return PackRgb(bytes_[at + 2], bytes_[at + 1], bytes_[at]);
        }
        default: {
            const std::size_t at = rowStart + x * 4;
            return PackRgb(bytes_[at + 2], bytes_[at + 1], bytes_[at]);
        }
    }
}

}  // namespace platform
