// Reads Windows enhanced metafiles: libemf2svg turns the record stream into SVG, which Qt SVG draws
// over white into one 24-bit bitmap record. The picture keeps the metafile's frame size in millimetres.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "DrawingCollector.h"
#include "PictureReader.h"

namespace filebridge {

bool ReadEmfPicture(std::string_view bytes, DrawingCollector& out, std::int64_t maxPixels = kMaxPicturePixels);

// What the header record tells before any drawing record is read.
struct EmfHeader {
    std::int32_t boundsLeft = 0, boundsTop = 0, boundsRight = 0, boundsBottom = 0;  // device pixels
    std::int32_t frameLeft = 0, frameTop = 0, frameRight = 0, frameBottom = 0;      // 0.01 mm
    std::uint32_t totalBytes = 0;
};

// The header of a metafile, or nothing when the bytes do not start with a sound one.
std::optional<EmfHeader> ReadEmfHeader(std::string_view bytes);

}  // namespace filebridge
