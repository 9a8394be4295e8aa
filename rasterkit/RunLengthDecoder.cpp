// Run-length rows: pairs of (count, value) runs, and escapes after a count of 0: 0 end of row, 1 end of
// picture, 2 a jump right and up, 3 and more that many literal pixels padded to an even byte count.
#include "RunLengthDecoder.h"

#include <algorithm>

#include "Raster.h"

namespace rasterkit {
namespace {

constexpr std::uint8_t kEndOfRow = 0;
constexpr std::uint8_t kEndOfPicture = 1;
constexpr std::uint8_t kJump = 2;

class RowWriter {
  public:
    RowWriter(std::uint16_t bits, std::int32_t width, std::size_t stride, std::span<std::uint8_t> rows)
        : bits_(bits), width_(width), stride_(stride), rows_(rows), height_(rows.size() / stride) {}

    bool Done() const { return row_ >= height_; }
    void EndRow() {
        column_ = 0;
        ++row_;
    }
    void Jump(std::uint8_t right, std::uint8_t up) {
        column_ += right;
        row_ += up;
    }
    // Writes pixel `value` (an index) at the current position and moves one to the right.
    void Put(std::uint8_t value) {
        if (column_ < width_ && row_ < height_) {
            std::uint8_t* row = rows_.data() + row_ * stride_;
            const auto column = static_cast<std::int32_t>(column_);
            if (bits_ == 8) {
                row[column] = value;
            } else {
                SetNibble(row, column, value);
            }
        }
        ++column_;
    }

  private:
    std::uint16_t bits_;
    std::int64_t width_;
    std::size_t stride_;
    std::span<std::uint8_t> rows_;
    std::size_t height_;
    std::int64_t column_ = 0;
    std::size_t row_ = 0;
};

// Pixel k of a run or literal byte: the byte itself at 8 bits; high nibble then low nibble at 4 bits.
std::uint8_t PixelOf(std::uint8_t byte, std::size_t k, std::uint16_t bits) {
    if (bits == 8) {
        return byte;
    }
    return (k & 1) != 0 ? byte & 0x0F : byte >> 4;
}

}  // namespace

void DecodeRunLength(std::span<const std::uint8_t> encoded, std::uint16_t bits, std::int32_t width,
                     std::size_t stride, std::span<std::uint8_t> rows) {
    RowWriter writer(bits, width, stride, rows);
    std::size_t at = 0;
    while (at + 2 <= encoded.size() && !writer.Done()) {
        const std::uint8_t count = encoded[at];
        const std::uint8_t value = encoded[at + 1];
        at += 2;
        if (count > 0) {
            for (std::size_t k = 0; k < count; ++k) {
                writer.Put(PixelOf(value, k, bits));
            }
            continue;
        }
        if (value == kEndOfRow) {
            writer.EndRow();
        } else if (value == kEndOfPicture) {
            return;
        } else if (value == kJump) {
            if (at + 2 > encoded.size()) {
                return;
            }
            writer.Jump(encoded[at], encoded[at + 1]);
            at += 2;
        } else {
            const std::size_t literalBytes = bits == 8 ? value : (value + 1u) / 2;
            if (at + literalBytes > encoded.size()) {
                return;
            }
            for (std::size_t k = 0; k < value; ++k) {
                writer.Put(PixelOf(encoded[at + (bits == 8 ? k : k / 2)], k, bits));
            }
            at += literalBytes + (literalBytes & 1);
        }
    }
}

}  // namespace rasterkit
