// CRC-32 (the reflected 0xEDB88320 polynomial of zip and Ethernet), which guards every frame of the
// link and every firmware update file.
#pragma once

#include <cstdint>
#include <span>

namespace motionlink::link {

std::uint32_t Crc32(std::span<const std::uint8_t> bytes);

// Continues a running CRC: Crc32(a + b) == Crc32Update(Crc32(a), b).
std::uint32_t Crc32Update(std::uint32_t crc, std::span<const std::uint8_t> bytes);

}  // namespace motionlink::link
