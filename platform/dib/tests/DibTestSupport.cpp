// Builders of packed bitmaps for the bitmap tests.
#include "DibTestSupport.h"

namespace platform::testing {

BitmapInfoHeader MakeInfoHeader(std::int32_t width, std::int32_t height, std::uint16_t bitCount,
                                std::uint32_t colorsUsed) {
    BitmapInfoHeader header;
    header.width = width;
    header.height = height;
    header.bitCount = bitCount;
    header.colorsUsed = colorsUsed;
    return header;
}

Bytes PackDib(const BitmapInfoHeader& header, const std::vector<RgbQuad>& palette, const Bytes& pixels) {
    const auto encoded = Encode(header);
    Bytes bytes(encoded.begin(), encoded.end());
    for (const RgbQuad& entry : palette) {
        const auto entryBytes = Encode(entry);
        bytes.insert(bytes.end(), entryBytes.begin(), entryBytes.end());
    }
    bytes.insert(bytes.end(), pixels.begin(), pixels.end());
    return bytes;
}

}  // namespace platform::testing
