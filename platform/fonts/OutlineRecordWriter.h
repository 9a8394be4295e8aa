// Writes a FreeType outline in font units into the glyph-outline record form, scaled to 16384 units
// per em: runs of straight segments, of quadratic off-curve points and of cubic triples each become one
// record; the segment that closes a contour with a straight line is left to the reader, which closes
// every polygon back to its start.
#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <cstdint>
#include <vector>

namespace platform {

void WriteOutlineRecords(const FT_Outline& outline, double scale, std::vector<std::uint8_t>& records);

}  // namespace platform
