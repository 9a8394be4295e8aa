// The owned packed bitmap: creation, checked copies in, and writes that keep its layout.
#include "DibBlock.h"

#include <algorithm>
#include <cassert>
#include <limits>
#include <new>
#include <utility>

namespace platform {
namespace {

// The largest block made here, as a 32-bit program's global memory could hold.
constexpr std::uint64_t kMaxBlockBytes = std::numeric_limits<std::int32_t>::max();

std::unique_ptr<std::uint8_t[]> AllocateZeroed(std::size_t size) {
    try {
        return std::make_unique<std::uint8_t[]>(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

}  // namespace

DibBlock::DibBlock(std::unique_ptr<std::uint8_t[]> data, std::size_t size, const DibLayout& layout)
    : data_(std::move(data)), size_(size), layout_(layout) {}

DibBlock::DibBlock(DibBlock&& other) noexcept
    : data_(std::move(other.data_)),
      size_(std::exchange(other.size_, 0)),
      layout_(std::exchange(other.layout_, DibLayout{})) {}

DibBlock& DibBlock::operator=(DibBlock&& other) noexcept {
    if (this != &other) {
        data_ = std::move(other.data_);
        size_ = std::exchange(other.size_, 0);
        layout_ = std::exchange(other.layout_, DibLayout{});
    }
    return *this;
}

std::optional<DibBlock> DibBlock::CreateBlank(std::int32_t width, std::int32_t height,
                                              std::uint16_t bitCount) {
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24) {
        return std::nullopt;
    }
    if (width < 1 || height < 1) {
        return std::nullopt;
    }
    const std::uint64_t stride = DibRowStride(width, bitCount);
    const std::uint64_t pixelOffset = DibPixelOffset(BitmapInfoHeader::kEncodedSize, bitCount, 0);
    if (stride > (kMaxBlockBytes - pixelOffset) / static_cast<std::uint64_t>(height)) {
        return std::nullopt;
    }
    BitmapInfoHeader header;
    header.width = width;
    header.height = height;
    header.bitCount = bitCount;
    header.imageSize = static_cast<std::uint32_t>(stride * static_cast<std::uint64_t>(height));
    header.xPelsPerMeter = kDefaultPelsPerMeter;
    header.yPelsPerMeter = kDefaultPelsPerMeter;
    header.colorsUsed = DibPaletteEntryCount(bitCount, 0);
    header.colorsImportant = header.colorsUsed;

    const std::size_t size = static_cast<std::size_t>(pixelOffset + header.imageSize);
    std::unique_ptr<std::uint8_t[]> data = AllocateZeroed(size);
    if (data == nullptr) {
        return std::nullopt;
    }
    const auto encoded = Encode(header);
    std::copy(encoded.begin(), encoded.end(), data.get());
    const std::optional<DibLayout> layout = LayoutOfInfoHeader(header, size);
    assert(layout.has_value());
    return DibBlock(std::move(data), size, *layout);
}

std::optional<DibBlock> DibBlock::FromPackedBytes(std::span<const std::uint8_t> bytes) {
    const std::optional<DibLayout> layout = ValidatePackedDib(bytes);
    if (!layout) {
        return std::nullopt;
    }
    const std::size_t size = static_cast<std::size_t>(layout->totalBytes);
    std::unique_ptr<std::uint8_t[]> data = AllocateZeroed(size);
    if (data == nullptr) {
        return std::nullopt;
    }
    std::copy_n(bytes.begin(), size, data.get());
    return DibBlock(std::move(data), size, *layout);
}

DibBlock DibBlock::Clone() const {
    if (IsEmpty()) {
        return {};
    }
    std::unique_ptr<std::uint8_t[]> data = AllocateZeroed(size_);
    if (data == nullptr) {
        return {};
    }
    std::copy_n(data_.get(), size_, data.get());
    return DibBlock(std::move(data), size_, layout_);
}

std::optional<DibView> DibBlock::View() const {
    return IsEmpty() ? std::nullopt : DibView::Of(Bytes());
}

std::optional<BitmapInfoHeader> DibBlock::InfoHeader() const {
    if (layout_.headerSize != BitmapInfoHeader::kEncodedSize) {
        return std::nullopt;
    }
    return DecodeBitmapInfoHeader(Bytes());
}

bool DibBlock::ReplaceInfoHeader(const BitmapInfoHeader& header) {
    if (layout_.headerSize != BitmapInfoHeader::kEncodedSize) {
        return false;
    }
    const std::optional<DibLayout> layout = LayoutOfInfoHeader(header, size_);
    if (!layout || layout->pixelOffset != layout_.pixelOffset) {
        return false;
    }
    const auto encoded = Encode(header);
    std::copy(encoded.begin(), encoded.end(), data_.get());
    layout_ = *layout;
    return true;
}

std::span<std::uint8_t> DibBlock::MutablePalette() {
    if (IsEmpty()) {
        return {};
    }
    return {data_.get() + layout_.paletteOffset,
            static_cast<std::size_t>(layout_.pixelOffset - layout_.paletteOffset)};
}

std::span<std::uint8_t> DibBlock::MutablePixels() {
    if (IsEmpty()) {
        return {};
    }
    return {data_.get() + layout_.pixelOffset, static_cast<std::size_t>(layout_.pixelBytes)};
}

std::span<const std::uint8_t> DibBlock::Pixels() const {
    if (IsEmpty()) {
        return {};
    }
    return {data_.get() + layout_.pixelOffset, static_cast<std::size_t>(layout_.pixelBytes)};
}

}  // namespace platform
