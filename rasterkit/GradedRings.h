// Graded rings: grey rings grown step by step from light areas into black (0) ones.
#pragma once

#include "Raster.h"

namespace rasterkit {

// The most steps the export grows; thinning grows one more so that its last moved ring is not black.
inline constexpr int kMaxRingSteps = 254;

// Grows `steps` rings (1..255) into an 8-bit raster. Levels L0 = 0, Ls = s x (255 / steps), Lsteps = 255;
// at step s every pixel of stored rows 1.. whose value is 255 - L(s-1) gives each of its 8 neighbours
// whose value is 0 the value 255 - Ls.
void GrowRings(const Raster& raster, int steps);

}  // namespace rasterkit
