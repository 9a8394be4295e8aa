// Nearest-neighbour resampling: destination column j takes source column trunc((srcW / newW) x j + 0.5),
// destination row i source row trunc((srcH / newH) x i + 0.5), each limited to the last one.
#pragma once

#include <cstdint>
#include <vector>

#include "Raster.h"

namespace rasterkit {

// The source index of every destination index 0..newCount-1.
std::vector<std::int32_t> NearestSourceIndexes(std::int32_t sourceCount, std::int32_t newCount);

// Fills `to` from `from` of the same depth, moving pixels whole.
void ResamplePixels(const ConstRaster& from, const Raster& to);

}  // namespace rasterkit
