// Reads Windows enhanced metafiles: libemf2svg turns the record stream into SVG, which Qt SVG draws
// over white into one 24-bit bitmap record. The picture keeps the metafile's frame size in millimetres.
#pragma once

#include <cstdint>
#include <string_view>

#include "DrawingCollector.h"
#include "PictureReader.h"

namespace filebridge {

bool ReadEmfPicture(std::string_view bytes, DrawingCollector& out, std::int64_t maxPixels = kMaxPicturePixels);

}  // namespace filebridge
