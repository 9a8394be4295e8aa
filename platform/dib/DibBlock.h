// The movable memory block that owns one packed device-independent bitmap: the stand-in for a global
// memory handle. An empty block is the null handle; moving a block hands the bitmap over and leaves the
// source empty; the bytes are freed with the block.
//
// A block that is not empty always holds a packed bitmap that passes ValidatePackedDib: every way in
// checks the bytes, and writes through the block never change the layout.
#pragma once

#include "BitmapRecords.h"
#include "DibLayout.h"
#include "DibView.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <span>

namespace platform {

class DibBlock {
  public:
    // Resolution given to new bitmaps: 72 dots per inch.
    static constexpr std::int32_t kDefaultPelsPerMeter = 2835;

    DibBlock() = default;
    DibBlock(DibBlock&& other) noexcept;
    DibBlock& operator=(DibBlock&& other) noexcept;
    DibBlock(const DibBlock&) = delete;
    DibBlock& operator=(const DibBlock&) = delete;
    ~DibBlock() = default;

    // A zero-filled bitmap of width x height pixels at 1, 4, 8 or 24 bits per pixel with an info header,
    // a zero colour table of the depth's full size, the default resolution, and rows padded to 4 bytes.
    // Nothing for other depths, sizes below 1 pixel, or a bitmap of more than 2 GiB.
    static std::optional<DibBlock> CreateBlank(std::int32_t width, std::int32_t height,
                                               std::uint16_t bitCount);

    // A copy of the packed bitmap at the front of untrusted bytes (bytes beyond what its header describes
    // are left out); nothing when ValidatePackedDib rejects them.
    static std::optional<DibBlock> FromPackedBytes(std::span<const std::uint8_t> bytes);

    // A separate block with the same bytes (the handle-copy operation); empty from empty.
    DibBlock Clone() const;

    bool IsEmpty() const { return size_ == 0; }
    explicit operator bool() const { return !IsEmpty(); }

    // The whole packed bitmap; empty for the null block.
    std::span<const std::uint8_t> Bytes() const { return {data_.get(), size_}; }
    const DibLayout& Layout() const { return layout_; }
    // Pixel access; nothing for the null block.
    std::optional<DibView> View() const;

    // The info header, when the block has one (not for a core header or an empty block).
    std::optional<BitmapInfoHeader> InfoHeader() const;
    // Replaces the info header when the new one describes the same header size, colour-table size and
    // no more pixel bytes than the block holds; otherwise nothing changes and the result is false.
    bool ReplaceInfoHeader(const BitmapInfoHeader& header);

    // The colour table's bytes and the pixel rows, writable; empty for the null block.
    std::span<std::uint8_t> MutablePalette();
    std::span<std::uint8_t> MutablePixels();
    std::span<const std::uint8_t> Pixels() const;

  private:
    DibBlock(std::unique_ptr<std::uint8_t[]> data, std::size_t size, const DibLayout& layout);

    std::unique_ptr<std::uint8_t[]> data_;
    std::size_t size_ = 0;
    DibLayout layout_;
};

}  // namespace platform
