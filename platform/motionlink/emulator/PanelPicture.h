// The check that the emulated controller makes of a colour panel picture before it takes it.
#pragma once

#include <cstdint>
#include <span>

namespace motionlink::emulator {

// A packed device-independent bitmap with a 40-byte info header, 24 bits per pixel, no compression, of
// one of the panel sizes 640 x 480, 320 x 240 or 800 x 480 (rows either way up), and at least as many
// bytes as its pixel rows need.
bool IsPanelPicture(std::span<const std::uint8_t> packedDib);

}  // namespace motionlink::emulator
