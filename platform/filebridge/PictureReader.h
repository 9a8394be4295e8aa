// Reads pictures through Qt's image readers (BMP, GIF, JPEG, PNG, MNG, ICO, CUR, TIFF, WBMP,
// PNM and whatever else the installed plugins read) into one bitmap record: 1-bit pictures stay 1-bit,
// indexed and grey ones become 8-bit with their table, all others 24-bit; transparency is laid over white.
#pragma once

#include <cstdint>
#include <string_view>

#include "DrawingCollector.h"

class QImage;

namespace filebridge {

// Pictures larger than this many pixels are refused before they are decoded.
constexpr std::int64_t kMaxPicturePixels = 64LL * 1024 * 1024;

// The record is placed with its top-left corner at (0, 0) and the picture's resolution (72 dpi when it
// states none), rows running downward.
// `maxPixels` lets a caller that must stay quick, such as a fuzz target, refuse smaller pictures.
bool ReadPicture(std::string_view bytes, DrawingCollector& out, std::int64_t maxPixels = kMaxPicturePixels);

// Pixels per metre along each axis; zero where the source states none.
struct PictureResolution {
    int dotsPerMetreX = 0;
    int dotsPerMetreY = 0;
};

// Adds an already decoded picture as the bitmap record, the way `ReadPicture` does.
bool AddPicture(const QImage& image, PictureResolution resolution, DrawingCollector& out,
                std::int64_t maxPixels = kMaxPicturePixels);

}  // namespace filebridge
