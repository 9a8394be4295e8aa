// Reading and writing little-endian integers at a byte offset, one byte at a time, so that the host's
// byte order and alignment never matter. Callers check the bounds before they call.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace platform::little_endian {

inline std::uint16_t LoadU16(std::span<const std::uint8_t> bytes, std::size_t offset) {
    return static_cast<std::uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
}

inline std::uint32_t LoadU32(std::span<const std::uint8_t> bytes, std::size_t offset) {
    return static_cast<std::uint32_t>(bytes[offset]) | (static_cast<std::uint32_t>(bytes[offset + 1]) << 8) |
           (static_cast<std::uint32_t>(bytes[offset + 2]) << 16) |
           (static_cast<std::uint32_t>(bytes[offset + 3]) << 24);
}

inline std::int32_t LoadI32(std::span<const std::uint8_t> bytes, std::size_t offset) {
    return static_cast<std::int32_t>(LoadU32(bytes, offset));
}

inline void StoreU16(std::span<std::uint8_t> bytes, std::size_t offset, std::uint16_t value) {
    bytes[offset] = static_cast<std::uint8_t>(value);
    bytes[offset + 1] = static_cast<std::uint8_t>(value >> 8);
}

inline void StoreU32(std::span<std::uint8_t> bytes, std::size_t offset, std::uint32_t value) {
    for (std::size_t index = 0; index < 4; ++index) {
        bytes[offset + index] = static_cast<std::uint8_t>(value >> (8 * index));
    }
}

inline void StoreI32(std::span<std::uint8_t> bytes, std::size_t offset, std::int32_t value) {
    StoreU32(bytes, offset, static_cast<std::uint32_t>(value));
}

inline void AppendU16(std::vector<std::uint8_t>& bytes, std::uint16_t value) {
    bytes.push_back(static_cast<std::uint8_t>(value));
    bytes.push_back(static_cast<std::uint8_t>(value >> 8));
}

inline void AppendU32(std::vector<std::uint8_t>& bytes, std::uint32_t value) {
    AppendU16(bytes, static_cast<std::uint16_t>(value));
    AppendU16(bytes, static_cast<std::uint16_t>(value >> 16));
}

}  // namespace platform::little_endian
