#include "BitmapRecords.h"

#include <gtest/gtest.h>

#include <vector>

using namespace platform;
using Bytes = std::vector<std::uint8_t>;

namespace {

template <std::size_t N>
Bytes ToBytes(const std::array<std::uint8_t, N>& encoded) {
    return Bytes(encoded.begin(), encoded.end());
}

TEST(BitmapRecords, FileHeaderIsFourteenLittleEndianBytes) {
    const BitmapFileHeader header{BitmapFileHeader::kSignature, 0x00010236, 0x0102, 0xA0B0, 0x436};
    const Bytes expected{'B', 'M', 0x36, 0x02, 0x01, 0x00, 0x02, 0x01, 0xB0, 0xA0, 0x36, 0x04, 0x00, 0x00};
    EXPECT_EQ(ToBytes(Encode(header)), expected);

    const std::optional<BitmapFileHeader> decoded = DecodeBitmapFileHeader(expected);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->signature, header.signature);
    EXPECT_EQ(decoded->fileSize, header.fileSize);
    EXPECT_EQ(decoded->reserved1, header.reserved1);
    EXPECT_EQ(decoded->reserved2, header.reserved2);
    EXPECT_EQ(decoded->pixelOffset, header.pixelOffset);
}

TEST(BitmapRecords, InfoHeaderFieldsLieAtTheirOffsetsWithSignsKept) {
    BitmapInfoHeader header;
    header.width = 0x01020304;
    header.height = -2;  // a top-down bitmap
    header.bitCount = 24;
    header.compression = 0x11223344;
    header.imageSize = 0x55667788;
    header.xPelsPerMeter = 2835;
    header.yPelsPerMeter = -1;
    header.colorsUsed = 0x99AABBCC;
    header.colorsImportant = 0xDDEEFF00;
    const Bytes expected{40,   0,    0,    0,    0x04, 0x03, 0x02, 0x01, 0xFE, 0xFF, 0xFF, 0xFF, 1, 0,
                         24,   0,    0x44, 0x33, 0x22, 0x11, 0x88, 0x77, 0x66, 0x55, 0x13, 0x0B, 0, 0,
                         0xFF, 0xFF, 0xFF, 0xFF, 0xCC, 0xBB, 0xAA, 0x99, 0x00, 0xFF, 0xEE, 0xDD};
    EXPECT_EQ(ToBytes(Encode(header)), expected);

    const std::optional<BitmapInfoHeader> decoded = DecodeBitmapInfoHeader(expected);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(ToBytes(Encode(*decoded)), expected);
    EXPECT_EQ(decoded->height, -2);
    EXPECT_EQ(decoded->yPelsPerMeter, -1);
}

TEST(BitmapRecords, CoreHeaderAndColourEntriesKeepBlueFirst) {
    const BitmapCoreHeader core{12, 0x0102, 0x0304, 1, 8};
    EXPECT_EQ(ToBytes(Encode(core)), (Bytes{12, 0, 0, 0, 0x02, 0x01, 0x04, 0x03, 1, 0, 8, 0}));
    const std::optional<BitmapCoreHeader> decodedCore = DecodeBitmapCoreHeader(ToBytes(Encode(core)));
    ASSERT_TRUE(decodedCore);
    EXPECT_EQ(decodedCore->width, 0x0102);
    EXPECT_EQ(decodedCore->height, 0x0304);

    const RgbQuad quad{.blue = 1, .green = 2, .red = 3, .reserved = 0};
    EXPECT_EQ(ToBytes(Encode(quad)), (Bytes{1, 2, 3, 0}));
    EXPECT_EQ(DecodeRgbQuad(Bytes{1, 2, 3, 0}), quad);
    EXPECT_EQ(ToBytes(Encode(RgbTriple{.blue = 7, .green = 8, .red = 9})), (Bytes{7, 8, 9}));
    EXPECT_EQ(DecodeRgbTriple(Bytes{7, 8, 9})->red, 9);
}

TEST(BitmapRecords, DecodingFewerBytesThanARecordGivesNothing) {
    const Bytes bytes(40, 0xFF);
    const std::span<const std::uint8_t> all(bytes);
    EXPECT_FALSE(DecodeBitmapFileHeader(all.first(13)));
    EXPECT_FALSE(DecodeBitmapInfoHeader(all.first(39)));
    EXPECT_FALSE(DecodeBitmapCoreHeader(all.first(11)));
    EXPECT_FALSE(DecodeRgbQuad(all.first(3)));
    EXPECT_FALSE(DecodeRgbTriple(all.first(2)));
    EXPECT_TRUE(DecodeBitmapInfoHeader(all));
}

}  // namespace
