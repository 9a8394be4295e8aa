// Read access to the pixels of a checked packed bitmap, as colours, in picture coordinates (column from
// the left, row from the top), so that drawing code never deals with stored row order or bit packing.
#pragma once

#include "DibLayout.h"

#include <cstdint>
#include <optional>
#include <span>

namespace platform {

class DibView {
  public:
    // A view over bytes that pass ValidatePackedDib; nothing when they do not.
    static std::optional<DibView> Of(std::span<const std::uint8_t> packedDib);

    const DibLayout& Layout() const { return layout_; }
    std::int32_t Width() const { return layout_.width; }
    std::int32_t Height() const { return layout_.height; }

    // The colour of picture pixel (column, row) as 0x00RRGGBB, through the colour table for indexed
    // depths; an index beyond the table gives black. Requires an uncompressed bitmap and a pixel inside
    // the picture (asserted).
    std::uint32_t PixelRgb(std::int32_t column, std::int32_t row) const;

  private:
    DibView(std::span<const std::uint8_t> bytes, const DibLayout& layout) : bytes_(bytes), layout_(layout) {}

    std::uint32_t PaletteRgb(std::uint32_t index) const;

    std::span<const std::uint8_t> bytes_;
    DibLayout layout_;
};

}  // namespace platform
