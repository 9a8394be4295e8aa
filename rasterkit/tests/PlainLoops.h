// The rules of the pixel operations written out literally, pixel by pixel, as the reference that the
// library's faster forms must match byte for byte (in the tests) and beat (in the benchmarks).
#pragma once

#include <vector>

#include "DibBlock.h"

namespace rasterkit_test {

// Error diffusion of an 8-bit grey picture: the 0/255 value of every pixel, stored rows bottom first.
std::vector<int> PlainDiffusion(const platform::DibBlock& grey);

// Nearest-neighbour resampling to width x height at the same depth.
platform::DibBlock PlainResample(const platform::DibBlock& from, int width, int height);

// A left quarter turn (picture pixel (x, y) to (y, W-1-x)) at the same depth.
platform::DibBlock PlainQuarterTurn(const platform::DibBlock& from);

}  // namespace rasterkit_test
