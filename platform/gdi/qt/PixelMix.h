// Colour conversion between the platform's colour values and 32-bit image pixels, and the exact mixing
// of one pixel by a raster operation. Image pixels are 0xFFRRGGBB; mixing works on the 24 colour bits and
// keeps the pixel opaque.
#pragma once

#include "GdiTypes.h"

#include <QRgb>

namespace platform {

constexpr QRgb kOpaque = 0xFF000000u;
constexpr QRgb kColorBits = 0x00FFFFFFu;

constexpr QRgb ToQRgb(ColorRef color) {
    return kOpaque | (QRgb{RedOf(color)} << 16) | (QRgb{GreenOf(color)} << 8) | QRgb{BlueOf(color)};
}

constexpr ColorRef ToColorRef(QRgb pixel) {
    return Rgb(static_cast<std::uint8_t>(pixel >> 16), static_cast<std::uint8_t>(pixel >> 8),
               static_cast<std::uint8_t>(pixel));
}

constexpr QRgb MixPixel(QRgb destination, QRgb source, RasterOp rop) {
    switch (rop) {
        case RasterOp::Not:
            return kOpaque | (~destination & kColorBits);
        case RasterOp::XorPen:
            return kOpaque | ((destination ^ source) & kColorBits);
        case RasterOp::NotXorPen:
            return kOpaque | (~(destination ^ source) & kColorBits);
        case RasterOp::CopyPen:
            break;
    }
    return kOpaque | (source & kColorBits);
}

}  // namespace platform
