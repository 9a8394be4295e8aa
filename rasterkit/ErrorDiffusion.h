// Error diffusion of an 8-bit grey raster into 0 and 255.
#pragma once

#include "Raster.h"

namespace rasterkit {

// Walks the stored rows from the bottom, each left to right: a value above 128 becomes 255, any other 0,
// and the difference is spread over the neighbours ahead with the weights (over 42)
//     same row:               x  8  4
//     next row:         2  4  8  4  2
//     row after:        1  2  4  2  1
// each neighbour n becoming n + trunc(e x w / 42), limited to 0..255 when stored.
void DiffuseErrors(const Raster& raster);

}  // namespace rasterkit
