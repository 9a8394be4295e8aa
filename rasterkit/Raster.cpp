// Pixel access and new bitmaps.
#include "Raster.h"

#include <algorithm>
#include <cstring>

namespace rasterkit {
namespace {

PaletteColours ColoursOfTable(std::span<const std::uint8_t> table) {
    PaletteColours colours{};
    const std::size_t entries = std::min<std::size_t>(table.size() / 4, colours.size());
    for (std::size_t i = 0; i < entries; ++i) {
        colours[i] = PackRgb(table[4 * i + 2], table[4 * i + 1], table[4 * i]);
    }
    return colours;
}

}  // namespace

bool IsProcessedDepth(int bits) {
    return bits == 1 || bits == 4 || bits == 8 || bits == 24;
}

std::int32_t UsablePelsPerMetre(std::int64_t value) {
    return value >= 1 && value <= kMaxPelsPerMetre ? static_cast<std::int32_t>(value) : kDefaultPelsPerMetre;
}

std::uint8_t GreyOf(std::uint32_t rgb) {
    const double red = (rgb >> 16) & 0xFF, green = (rgb >> 8) & 0xFF, blue = rgb & 0xFF;
    return static_cast<std::uint8_t>(0.30 * red + 0.59 * green + 0.11 * blue);
}

template <typename Byte>
std::optional<BasicRaster<Byte>> BasicRaster<Byte>::Of(Block* dib) {
    if (dib == nullptr || dib->IsEmpty()) {
        return std::nullopt;
    }
    const platform::DibLayout& layout = dib->Layout();
    if (layout.headerSize != platform::BitmapInfoHeader::kEncodedSize || !layout.IsUncompressed() ||
        !IsProcessedDepth(layout.bitCount)) {
        return std::nullopt;
    }
    BasicRaster raster;
    if constexpr (std::is_const_v<Byte>) {
        raster.pixels_ = dib->Pixels().data();
    } else {
        raster.pixels_ = dib->MutablePixels().data();
    }
    raster.stride_ = static_cast<std::size_t>(layout.stride);
    raster.width_ = layout.width;
    raster.height_ = layout.height;
    raster.bits_ = layout.bitCount;
    raster.palette_ = ColoursOfTable(dib->Bytes().subspan(static_cast<std::size_t>(layout.paletteOffset),
                                                          static_cast<std::size_t>(layout.pixelOffset -
                                                                                   layout.paletteOffset)));
    return raster;
}

template <typename Byte>
std::uint8_t BasicRaster<Byte>::Index(std::int32_t column, std::int32_t storedRow) const {
    const Byte* row = Row(storedRow);
    switch (bits_) {
        case 1:
            return (row[column >> 3] >> (7 - (column & 7))) & 1;
        case 4:
            return (column & 1) != 0 ? row[column >> 1] & 0x0F : row[column >> 1] >> 4;
        default:
            return row[column];
    }
}

template <typename Byte>
std::uint32_t BasicRaster<Byte>::Colour(std::int32_t column, std::int32_t storedRow) const {
    if (bits_ == 24) {
        const Byte* pixel = Row(storedRow) + 3 * static_cast<std::size_t>(column);
        return PackRgb(pixel[2], pixel[1], pixel[0]);
    }
    return palette_[Index(column, storedRow)];
}

template class BasicRaster<std::uint8_t>;
template class BasicRaster<const std::uint8_t>;

void WriteGreyRamp(std::span<std::uint8_t> table, std::size_t step) {
    for (std::size_t i = 0; i < table.size() / 4; ++i) {
        const auto grey = static_cast<std::uint8_t>(i * step);
        table[4 * i] = table[4 * i + 1] = table[4 * i + 2] = grey;
        table[4 * i + 3] = 0;
    }
}

void TurnRowsOver(std::span<std::uint8_t> rows, std::size_t stride) {
    const std::size_t height = rows.size() / stride;
    for (std::size_t low = 0, high = height - 1; low < high; ++low, --high) {
        std::swap_ranges(rows.begin() + low * stride, rows.begin() + (low + 1) * stride, rows.begin() + high * stride);
    }
}

void SetBit(std::uint8_t* row, std::int32_t column, bool set) {
    const auto mask = static_cast<std::uint8_t>(0x80 >> (column & 7));
    if (set) {
        row[column >> 3] |= mask;
    } else {
        row[column >> 3] &= static_cast<std::uint8_t>(~mask);
    }
}

void SetNibble(std::uint8_t* row, std::int32_t column, std::uint8_t value) {
    std::uint8_t& byte = row[column >> 1];
    byte = (column & 1) != 0 ? static_cast<std::uint8_t>((byte & 0xF0) | (value & 0x0F))
                             : static_cast<std::uint8_t>((byte & 0x0F) | (value << 4));
}

void WriteColour(std::uint8_t* row, std::uint16_t bits, std::int32_t column, std::uint32_t rgb, bool setBit) {
    switch (bits) {
        case 1:
            SetBit(row, column, setBit);
            return;
        case 4:
            SetNibble(row, column, GreyOf(rgb) >> 4);
            return;
        case 8:
            row[column] = GreyOf(rgb);
            return;
        default: {
            std::uint8_t* pixel = row + 3 * static_cast<std::size_t>(column);
            pixel[0] = rgb & 0xFF;
            pixel[1] = (rgb >> 8) & 0xFF;
            pixel[2] = (rgb >> 16) & 0xFF;
        }
    }
}

void MovePixel(const std::uint8_t* from, std::int32_t fromColumn, std::uint8_t* to, std::int32_t toColumn,
               std::uint16_t bits) {
    switch (bits) {
        case 1:
            SetBit(to, toColumn, ((from[fromColumn >> 3] >> (7 - (fromColumn & 7))) & 1) != 0);
            return;
        case 4:
            SetNibble(to, toColumn,
                      (fromColumn & 1) != 0 ? from[fromColumn >> 1] & 0x0F : from[fromColumn >> 1] >> 4);
            return;
        case 8:
            to[toColumn] = from[fromColumn];
            return;
        default:
            std::memcpy(to + 3 * static_cast<std::size_t>(toColumn), from + 3 * static_cast<std::size_t>(fromColumn),
                        3);
    }
}

std::optional<platform::DibBlock> NewBitmap(std::int64_t width, std::int64_t height, int bits,
                                            std::int64_t xPelsPerMetre, std::int64_t yPelsPerMetre) {
    if (width < 1 || height < 1 || width > INT32_MAX || height > INT32_MAX || !IsProcessedDepth(bits)) {
        return std::nullopt;
    }
    std::optional<platform::DibBlock> dib = platform::DibBlock::CreateBlank(
        static_cast<std::int32_t>(width), static_cast<std::int32_t>(height), static_cast<std::uint16_t>(bits));
    if (!dib) {
        return std::nullopt;
    }
    std::span<std::uint8_t> pixels = dib->MutablePixels();
    std::fill(pixels.begin(), pixels.end(), std::uint8_t{0xFF});
    std::span<std::uint8_t> table = dib->MutablePalette();
    // New 4-bit bitmaps step by 16 (0..240), unlike the normalised ramp of 17.
    WriteGreyRamp(table, table.size() / 4 == 16 ? 16 : 255 / std::max<std::size_t>(table.size() / 4 - 1, 1));
    StoreResolution(*dib, xPelsPerMetre, yPelsPerMetre);
    return dib;
}

Resolution SettleResolution(platform::DibBlock& dib) {
    const std::optional<platform::BitmapInfoHeader> header = dib.InfoHeader();
    if (!header) {
        return {};
    }
    const Resolution resolution{UsablePelsPerMetre(header->xPelsPerMeter), UsablePelsPerMetre(header->yPelsPerMeter)};
    if (resolution.x != header->xPelsPerMeter || resolution.y != header->yPelsPerMeter) {
        StoreResolution(dib, resolution.x, resolution.y);
    }
    return resolution;
}

bool StoreResolution(platform::DibBlock& dib, std::int64_t xPelsPerMetre, std::int64_t yPelsPerMetre) {
    std::optional<platform::BitmapInfoHeader> header = dib.InfoHeader();
    if (!header) {
        return false;
    }
    header->xPelsPerMeter = UsablePelsPerMetre(xPelsPerMetre);
    header->yPelsPerMeter = UsablePelsPerMetre(yPelsPerMetre);
    return dib.ReplaceInfoHeader(*header);
}

}  // namespace rasterkit
