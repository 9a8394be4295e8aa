// The firmware update file: a fixed header, then the image.
//
//   offset  size  field
//        0     4  magic "CXFW"
//        4     2  format version (1)
//        6     2  target: 1 = mainboard
//        8     4  image length in bytes
//       12     4  CRC-32 of the image
//       16    16  version text, ASCII, padded with zero bytes
//       32     4  CRC-32 of bytes 0..31
//       36     n  the image
//
// Little-endian. A file is valid when its length is exactly 36 + n, both CRCs agree, the magic and
// format version are these, and its target is the one asked for. The link checks a file before it
// sends it; the controller checks what it received again before it takes it.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace motionlink::link {

constexpr std::size_t kUpdateHeaderBytes = 36;
constexpr std::size_t kUpdateVersionBytes = 16;
constexpr std::size_t kMaxUpdateImageBytes = 16 * 1024 * 1024;
constexpr std::uint16_t kUpdateTargetMainboard = 1;

// An update file for the image; the version text is cut to 16 bytes.
std::vector<std::uint8_t> BuildUpdateFile(std::span<const std::uint8_t> image, std::string_view version,
                                          std::uint16_t target = kUpdateTargetMainboard);

// Whether the bytes are a valid update file for the target.
bool IsValidUpdateFile(std::span<const std::uint8_t> file, std::uint16_t target);

// The version text of a valid file (up to its first zero byte).
std::string UpdateFileVersion(std::span<const std::uint8_t> file);

}  // namespace motionlink::link
