// Reads Windows enhanced metafiles: after our own walk has checked the records, the converter's helper
// process turns them into SVG, which Qt SVG draws, text included, over white into one 24-bit bitmap
// record. The picture keeps the metafile's frame size in millimetres.
#pragma once

#include <cstdint>
#include <string_view>

#include "DrawingCollector.h"
#include "PictureReader.h"

namespace filebridge {

bool ReadEmfPicture(std::string_view bytes, DrawingCollector& out, std::int64_t maxPixels = kMaxPicturePixels);

}  // namespace filebridge
