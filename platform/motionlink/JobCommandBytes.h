// One command of the opcode stream being put together: an opcode and its operand numbers, each
// number split into 7-bit groups, most significant first.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

namespace motionlink {

inline constexpr std::int32_t kRelativeMin = -8192;
inline constexpr std::int32_t kRelativeMax = 8191;
inline constexpr std::uint16_t kFullPowerLevel = 16383;

class JobCommandBytes {
  public:
    // The longest command of the format has 21 bytes.
    static constexpr std::size_t kMaxBytes = 32;

    explicit JobCommandBytes(std::uint8_t opcode) { Push(opcode); }

    // A selector after a prefix opcode, or a byte operand: 0..127.
    JobCommandBytes& Byte(std::uint8_t value) {
        Push(value & 0x7F);
        return *this;
    }

    // Five groups; only the low four bits of the first survive, so any 32-bit pattern fits.
    JobCommandBytes& Absolute(std::int32_t value) {
        const auto bits = static_cast<std::uint32_t>(value);
        Push((bits >> 28) & 0x0F);
        Push((bits >> 21) & 0x7F);
        Push((bits >> 14) & 0x7F);
        Push((bits >> 7) & 0x7F);
        Push(bits & 0x7F);
        return *this;
    }

    // Two groups of a 14-bit two's-complement delta; the caller keeps it in kRelativeMin..kRelativeMax.
    JobCommandBytes& Relative(std::int32_t delta) {
        const auto bits = static_cast<std::uint32_t>(delta) & 0x3FFF;
        Push((bits >> 7) & 0x7F);
        Push(bits & 0x7F);
        return *this;
    }

    // Two groups of an unsigned 0..16383 value: a power level, or a small count or mode.
    JobCommandBytes& Power(std::uint16_t level) {
        Push((level >> 7) & 0x7F);
        Push(level & 0x7F);
        return *this;
    }

    std::span<const std::uint8_t> Bytes() const { return {bytes_.data(), size_}; }

  private:
    void Push(unsigned value) {
        // Every command of the format fits; running over would mean a broken command table.
        if (size_ == kMaxBytes) {
            std::abort();
        }
        bytes_[size_++] = static_cast<std::uint8_t>(value);
    }

    std::array<std::uint8_t, kMaxBytes> bytes_{};
    std::size_t size_ = 0;
};

}  // namespace motionlink
