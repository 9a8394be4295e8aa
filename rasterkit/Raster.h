// Pixel access to a bitmap handle that the exports may process, and the making of new bitmaps.
//
// A raster is a checked view over a block with an info header, no compression and 1, 4, 8 or 24 bits per
// pixel; every row pointer it gives lies inside the block. Rows are stored rows (bottom of the picture
// first) unless a name says otherwise.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <type_traits>

#include "DibBlock.h"

namespace rasterkit {

inline constexpr std::int32_t kDefaultPelsPerMetre = platform::DibBlock::kDefaultPelsPerMeter;
inline constexpr std::int32_t kMaxPelsPerMetre = 100'000'000;

// 1, 4, 8 or 24 bits per pixel: the depths the exports process.
bool IsProcessedDepth(int bits);

// The resolution a field stands for: 2835 for 0, negative and absurd values.
std::int32_t UsablePelsPerMetre(std::int64_t value);

// Grey level of a colour 0xRRGGBB: trunc(0.30 red + 0.59 green + 0.11 blue).
std::uint8_t GreyOf(std::uint32_t rgb);

inline std::uint32_t PackRgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return (std::uint32_t{red} << 16) | (std::uint32_t{green} << 8) | blue;
}

// Colours of all 256 possible indexes; indexes beyond the colour table are black.
using PaletteColours = std::array<std::uint32_t, 256>;

template <typename Byte>
class BasicRaster {
  public:
    using Block = std::conditional_t<std::is_const_v<Byte>, const platform::DibBlock, platform::DibBlock>;

    // Nothing for the null handle, a core header, compressed rows or another depth.
    static std::optional<BasicRaster> Of(Block* dib);

    std::int32_t Width() const { return width_; }
    std::int32_t Height() const { return height_; }
    std::uint16_t Bits() const { return bits_; }
    std::size_t Stride() const { return stride_; }
    Byte* Row(std::int32_t storedRow) const { return pixels_ + static_cast<std::size_t>(storedRow) * stride_; }

    const PaletteColours& Palette() const { return palette_; }
    // Colour of the pixel through the colour table (1, 4, 8 bits) or its own bytes (24 bits).
    std::uint32_t Colour(std::int32_t column, std::int32_t storedRow) const;
    // Colour index of a 1, 4 or 8-bit pixel.
    std::uint8_t Index(std::int32_t column, std::int32_t storedRow) const;

  private:
    BasicRaster() = default;

    Byte* pixels_ = nullptr;
    std::size_t stride_ = 0;
    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
    std::uint16_t bits_ = 0;
    PaletteColours palette_{};
};

using Raster = BasicRaster<std::uint8_t>;
using ConstRaster = BasicRaster<const std::uint8_t>;

// Writes entry i of a colour table (4-byte entries) as the grey i x step.
void WriteGreyRamp(std::span<std::uint8_t> table, std::size_t step);

// Reverses the order of the rows (rows.size() / stride of them), padding bytes included.
void TurnRowsOver(std::span<std::uint8_t> rows, std::size_t stride);

// Pixel writes of the depths that hold indexes.
void SetBit(std::uint8_t* row, std::int32_t column, bool set);
void SetNibble(std::uint8_t* row, std::int32_t column, std::uint8_t value);
// Writes a colour into a pixel of the raster's depth: 1 bit set when `setBit`, 4 bits grey >> 4, 8 bits
// the grey, 24 bits the colour.
void WriteColour(std::uint8_t* row, std::uint16_t bits, std::int32_t column, std::uint32_t rgb, bool setBit);

// Copies the pixel at `fromColumn` of `from` to `toColumn` of `to`, both rows of the same depth.
void MovePixel(const std::uint8_t* from, std::int32_t fromColumn, std::uint8_t* to, std::int32_t toColumn,
               std::uint16_t bits);

// A new bitmap as _dib_create makes it: every pixel byte 0xFF (white; index 15 for 4 bits), the grey ramp
// as colour table, the given resolution (each field made usable). Nothing when the size or depth cannot
// be made or the block exceeds 2 GiB.
std::optional<platform::DibBlock> NewBitmap(std::int64_t width, std::int64_t height, int bits,
                                            std::int64_t xPelsPerMetre, std::int64_t yPelsPerMetre);

struct Resolution {
    std::int32_t x = kDefaultPelsPerMetre;
    std::int32_t y = kDefaultPelsPerMetre;
};
// The block's resolution with unusable fields replaced by 2835, which is also stored back.
Resolution SettleResolution(platform::DibBlock& dib);

// Stores both resolution fields (made usable); false for a block without an info header.
bool StoreResolution(platform::DibBlock& dib, std::int64_t xPelsPerMetre, std::int64_t yPelsPerMetre);

}  // namespace rasterkit
