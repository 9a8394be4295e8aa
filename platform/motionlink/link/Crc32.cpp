// CRC-32 with tables built once at compile time, eight bytes per step ("slicing by 8"): every frame of
// the link is checked at both ends, so the checksum must run near memory speed.
#include "Crc32.h"

#include <array>
#include <cstddef>

namespace motionlink::link {
namespace {

using Tables = std::array<std::array<std::uint32_t, 256>, 8>;

// tables[0] is the classic byte table; tables[k][b] is the CRC of byte b followed by k zero bytes, so
// that eight bytes combine by table lookups alone.
constexpr Tables MakeTables() {
    Tables tables{};
    for (std::uint32_t index = 0; index < 256; ++index) {
        std::uint32_t value = index;
        for (int bit = 0; bit < 8; ++bit) {
            value = (value & 1) != 0 ? (value >> 1) ^ 0xEDB88320u : value >> 1;
        }
        tables[0][index] = value;
    }
    for (std::size_t slice = 1; slice < tables.size(); ++slice) {
        for (std::size_t index = 0; index < 256; ++index) {
            const std::uint32_t previous = tables[slice - 1][index];
            tables[slice][index] = (previous >> 8) ^ tables[0][previous & 0xFF];
        }
    }
    return tables;
}

constexpr Tables kTables = MakeTables();

std::uint32_t LittleEndianWord(const std::uint8_t* bytes) {
    return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
           static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

}  // namespace

std::uint32_t Crc32Update(std::uint32_t crc, std::span<const std::uint8_t> bytes) {
    std::uint32_t value = ~crc;
    const std::uint8_t* at = bytes.data();
    std::size_t left = bytes.size();
    for (; left >= 8; left -= 8, at += 8) {
        const std::uint32_t low = value ^ LittleEndianWord(at);
        const std::uint32_t high = LittleEndianWord(at + 4);
        value = kTables[7][low & 0xFF] ^ kTables[6][(low >> 8) & 0xFF] ^ kTables[5][(low >> 16) & 0xFF] ^
                kTables[4][low >> 24] ^ kTables[3][high & 0xFF] ^ kTables[2][(high >> 8) & 0xFF] ^
                kTables[1][(high >> 16) & 0xFF] ^ kTables[0][high >> 24];
    }
    for (; left > 0; --left, ++at) {
        value = kTables[0][(value ^ *at) & 0xFF] ^ (value >> 8);
    }
    return ~value;
}

std::uint32_t Crc32(std::span<const std::uint8_t> bytes) {
    return Crc32Update(0, bytes);
}

}  // namespace motionlink::link
