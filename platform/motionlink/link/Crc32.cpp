// CRC-32 with a table built once at compile time.
#include "Crc32.h"

#include <array>

namespace motionlink::link {
namespace {

constexpr std::array<std::uint32_t, 256> MakeTable() {
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t index = 0; index < 256; ++index) {
        std::uint32_t value = index;
        for (int bit = 0; bit < 8; ++bit) {
            value = (value & 1) != 0 ? (value >> 1) ^ 0xEDB88320u : value >> 1;
        }
        table[index] = value;
    }
    return table;
}

constexpr std::array<std::uint32_t, 256> kTable = MakeTable();

}  // namespace

std::uint32_t Crc32Update(std::uint32_t crc, std::span<const std::uint8_t> bytes) {
    std::uint32_t value = ~crc;
    for (std::uint8_t byte : bytes) {
        value = kTable[(value ^ byte) & 0xFF] ^ (value >> 8);
    }
    return ~value;
}

std::uint32_t Crc32(std::span<const std::uint8_t> bytes) {
    return Crc32Update(0, bytes);
}

}  // namespace motionlink::link
