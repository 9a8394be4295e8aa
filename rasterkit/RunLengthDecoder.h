// Decoding of the two run-length forms of bitmap rows (8 bits per pixel, and 4 bits) into plain rows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace rasterkit {

// Decodes `encoded` into `rows`, bottom-up rows of `stride` bytes for a picture of `width` pixels and
// rows.size() / stride rows, at `bits` 4 or 8. Pixels the stream does not reach keep their value; runs
// that pass the right edge or the top row are cut there, and a stream that ends early ends the picture.
// Reads and writes nothing outside the two spans.
void DecodeRunLength(std::span<const std::uint8_t> encoded, std::uint16_t bits, std::int32_t width,
                     std::size_t stride, std::span<std::uint8_t> rows);

}  // namespace rasterkit
