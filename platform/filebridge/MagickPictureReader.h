// Reads the picture formats Qt has no reader for (PCX, Sun raster, JBIG, JPEG 2000 code streams, PGX,
// WMF) through ImageMagick, which hands them on as an uncompressed bitmap to the picture reader.
#pragma once

#include <string>
#include <string_view>

#include "DrawingCollector.h"

namespace filebridge {

// `format` is ImageMagick's name for the format, such as "PCX".
bool ReadMagickPicture(std::string_view bytes, const std::string& format, DrawingCollector& out);

// Whether the installed ImageMagick has a decoder for the format: its delegates vary between systems.
bool CanDecodeMagickFormat(const std::string& format);

}  // namespace filebridge
