// The stored-byte to opcode-byte bijection and its inverse, as two lookup tables built at compile time.
#include "ByteTransform.h"

#include <array>
#include <cstddef>

namespace motionlink {
namespace {

// XOR with a constant, then an affine map with an odd factor: both are bijections of 0..255, so their
// composition is one too.
constexpr std::uint8_t kXorMask = 0x6B;
constexpr std::uint8_t kFactor = 0x2F;
constexpr std::uint8_t kOffset = 0x95;

constexpr std::uint8_t ForwardOf(std::uint8_t stored) {
    return static_cast<std::uint8_t>((stored ^ kXorMask) * kFactor + kOffset);
}

constexpr std::array<std::uint8_t, 256> MakeForward() {
    std::array<std::uint8_t, 256> table{};
    for (std::size_t stored = 0; stored < table.size(); ++stored) {
        table[stored] = ForwardOf(static_cast<std::uint8_t>(stored));
    }
    return table;
}

constexpr std::array<std::uint8_t, 256> MakeInverse(const std::array<std::uint8_t, 256>& forward) {
    std::array<std::uint8_t, 256> table{};
    for (std::size_t stored = 0; stored < forward.size(); ++stored) {
        table[forward[stored]] = static_cast<std::uint8_t>(stored);
    }
    return table;
}

constexpr std::array<std::uint8_t, 256> kOpcodeFromStored = MakeForward();
constexpr std::array<std::uint8_t, 256> kStoredFromOpcode = MakeInverse(kOpcodeFromStored);

constexpr bool IsBijection() {
    for (std::size_t opcode = 0; opcode < 256; ++opcode) {
        if (kOpcodeFromStored[kStoredFromOpcode[opcode]] != opcode) {
            return false;
        }
    }
    return true;
}
static_assert(IsBijection());

// An uploaded document starts with a plain-text tag whose end is found by the byte that transforms to
// 0; the tag's own letters must therefore never transform to 0.
static_assert(ForwardOf('Z') != 0 && ForwardOf('D') != 0 && ForwardOf('O') != 0 && ForwardOf('C') != 0);

}  // namespace

std::uint8_t OpcodeByteFromStored(std::uint8_t storedByte) {
    return kOpcodeFromStored[storedByte];
}

std::uint8_t StoredByteFromOpcode(std::uint8_t opcodeByte) {
    return kStoredFromOpcode[opcodeByte];
}

}  // namespace motionlink

std::uint16_t Zint_UBCmd(std::uint8_t* byte) {
    if (byte == nullptr) {
        return motionlink::kJobBadArgument;
    }
    *byte = motionlink::OpcodeByteFromStored(*byte);
    return motionlink::kJobOk;
}
