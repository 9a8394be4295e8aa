#include "RasterkitTestSupport.h"

#include <gtest/gtest.h>

#include "BitmapRecords.h"
#include "Rasterkit.h"

namespace rasterkit_test {

platform::DibBlock Created(int width, int height, int bits) {
    platform::DibBlock dib;
    EXPECT_EQ(_dib_create(width, height, bits, 0, 0, &dib), 0);
    return dib;
}

platform::DibBlock Painted(int width, int height, int bits, const std::function<std::uint32_t(int, int)>& paint) {
    platform::DibBlock dib = Created(width, height, bits);
    const std::size_t stride = dib.Layout().stride;
    std::uint8_t* pixels = dib.MutablePixels().data();
    for (int r = 0; r < height; ++r) {
        std::uint8_t* row = pixels + r * stride;
        for (int c = 0; c < width; ++c) {
            const std::uint32_t value = paint(c, r);
            switch (bits) {
                case 1:
                    row[c / 8] = static_cast<std::uint8_t>((row[c / 8] & ~(0x80 >> (c % 8))) | ((value & 1) << (7 - c % 8)));
                    break;
                case 4:
                    row[c / 2] = static_cast<std::uint8_t>(c % 2 != 0 ? (row[c / 2] & 0xF0) | (value & 0x0F)
                                                                      : (row[c / 2] & 0x0F) | ((value & 0x0F) << 4));
                    break;
                case 8:
                    row[c] = static_cast<std::uint8_t>(value);
                    break;
                default:
                    row[3 * c] = value & 0xFF;
                    row[3 * c + 1] = (value >> 8) & 0xFF;
                    row[3 * c + 2] = (value >> 16) & 0xFF;
            }
        }
    }
    return dib;
}

std::uint32_t StoredValue(const platform::DibBlock& dib, int column, int storedRow) {
    const std::uint8_t* row = dib.Pixels().data() + storedRow * dib.Layout().stride;
    if (dib.Layout().bitCount == 1) {
        return (row[column / 8] >> (7 - column % 8)) & 1;
    }
    return row[column];
}

int ColourAt(const platform::DibBlock& dib, int x, int y) {
    int colour = -1;
    EXPECT_EQ(_dib_getpixel(&dib, x, y, &colour), 0);
    return colour;
}

std::vector<std::uint8_t> BmpBytes(platform::DibBlock& dib) {
    platform::Archive file = platform::Archive::ForStoring();
    EXPECT_EQ(_dib_write(&file, &dib), 0);
    return file.Bytes();
}

std::int32_t ReadBmp(const std::vector<std::uint8_t>& bytes, platform::DibBlock& out) {
    platform::Archive file = platform::Archive::ForLoading(bytes);
    return _dib_read(&file, &out);
}

HandBmp Bmp(std::int32_t width, std::int32_t height, std::uint16_t bits, std::uint32_t compression) {
    HandBmp file;
    file.width = width;
    file.height = height;
    file.bits = bits;
    file.compression = compression;
    return file;
}

std::vector<std::uint8_t> HandBmp::Bytes() const {
    platform::BitmapInfoHeader header;
    header.width = width;
    header.height = height;
    header.bitCount = bits;
    header.compression = compression;
    header.imageSize = imageSize;
    header.xPelsPerMeter = xPels;
    header.yPelsPerMeter = yPels;
    header.colorsUsed = colorsUsed;
    const std::size_t size = 14 + 40 + palette.size() + pixels.size();
    platform::BitmapFileHeader fileHeader;
    fileHeader.fileSize = static_cast<std::uint32_t>(static_cast<std::int64_t>(size) + fileSizeAdjust);
    fileHeader.pixelOffset = static_cast<std::uint32_t>(14 + 40 + palette.size());
    std::vector<std::uint8_t> bytes;
    const auto encodedFile = platform::Encode(fileHeader);
    const auto encodedInfo = platform::Encode(header);
    bytes.insert(bytes.end(), encodedFile.begin(), encodedFile.end());
    bytes.insert(bytes.end(), encodedInfo.begin(), encodedInfo.end());
    bytes.insert(bytes.end(), palette.begin(), palette.end());
    bytes.insert(bytes.end(), pixels.begin(), pixels.end());
    return bytes;
}

}  // namespace rasterkit_test
