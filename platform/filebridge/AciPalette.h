// DXF colours as the drawing's colour words.
#pragma once

#include <cstdint>

#include "ImportOptions.h"

namespace filebridge {

// Colour index 1..255; index 7, drawn white on dark screens and black on paper, is black here, as are
// indexes outside the palette.
std::uint32_t AciColour(int index);
// A 24-bit 0xRRGGBB true colour.
std::uint32_t TrueColour(std::uint32_t rgb);

}  // namespace filebridge
