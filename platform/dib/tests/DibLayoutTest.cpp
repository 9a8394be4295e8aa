#include "DibLayout.h"

#include "BitmapRecords.h"
#include "DibTestSupport.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

using namespace platform;
using platform::testing::Bytes;
using platform::testing::MakeInfoHeader;
using platform::testing::PackDib;

namespace {

TEST(DibLayout, RowsArePaddedToFourBytes) {
    struct Case {
        std::int64_t width;
        std::uint32_t bitCount;
        std::uint64_t stride;
    };
    const Case cases[] = {
        {1, 1, 4},  {32, 1, 4},  {33, 1, 8},  {1, 4, 4},
        {8, 4, 4},  {9, 4, 8},   {3, 8, 4},   {5, 8, 8},
        {1, 24, 4}, {3, 24, 12}, {5, 24, 16}, {1, 32, 4},
        {3, 16, 8}, {0, 24, 0},  {-5, 24, 0}, {std::numeric_limits<std::int32_t>::max(), 32, 8589934588u},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DibRowStride(c.width, c.bitCount), c.stride) << c.width << " x " << c.bitCount;
    }
}

TEST(DibLayout, ColourTableSizeFollowsColoursUsedElseTheDepth) {
    EXPECT_EQ(DibPaletteEntryCount(1, 0), 2u);
    EXPECT_EQ(DibPaletteEntryCount(4, 0), 16u);
    EXPECT_EQ(DibPaletteEntryCount(8, 0), 256u);
    EXPECT_EQ(DibPaletteEntryCount(24, 0), 0u);
    EXPECT_EQ(DibPaletteEntryCount(8, 17), 17u);
    EXPECT_EQ(DibPixelOffset(40, 8, 0), 40u + 1024u);
    EXPECT_EQ(DibPixelOffset(40, 24, 0), 40u);
    EXPECT_EQ(DibPixelOffset(40, 4, 3), 52u);
}

TEST(DibLayout, AcceptsASoundBitmapAndPlacesItsParts) {
    const Bytes bytes = PackDib(MakeInfoHeader(5, 3, 8, 2), {{}, {}}, Bytes(8 * 3, 0));
    const std::optional<DibLayout> layout = ValidatePackedDib(bytes);
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->stride, 8u);
    EXPECT_EQ(layout->paletteEntries, 2u);
    EXPECT_EQ(layout->paletteEntrySize, 4u);
    EXPECT_EQ(layout->paletteOffset, 40u);
    EXPECT_EQ(layout->pixelOffset, 48u);
    EXPECT_EQ(layout->pixelBytes, 24u);
    EXPECT_EQ(layout->totalBytes, bytes.size());

    Bytes longer = bytes;
    longer.push_back(0xAA);  // bytes beyond the bitmap are allowed and left alone
    EXPECT_EQ(ValidatePackedDib(longer)->totalBytes, bytes.size());
}

TEST(DibLayout, AcceptsCoreHeadersWithThreeByteColourEntries) {
    const BitmapCoreHeader core{12, 3, 2, 1, 1};
    const auto header = Encode(core);
    Bytes bytes(header.begin(), header.end());
    bytes.insert(bytes.end(), {0, 0, 0, 255, 255, 255});  // two triples
    bytes.insert(bytes.end(), 8, 0);                      // two rows of 4 bytes
    const std::optional<DibLayout> layout = ValidatePackedDib(bytes);
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->paletteEntrySize, 3u);
    EXPECT_EQ(layout->pixelOffset, 18u);
    bytes.pop_back();
    EXPECT_FALSE(ValidatePackedDib(bytes));
}

TEST(DibLayout, RunLengthBitmapsAreBoundedByTheirStoredImageSize) {
    BitmapInfoHeader header = MakeInfoHeader(100, 100, 8, 1);
    header.compression = 1;
    header.imageSize = 6;
    const Bytes bytes = PackDib(header, {{}}, Bytes{0, 0, 0, 1, 0, 0});
    const std::optional<DibLayout> layout = ValidatePackedDib(bytes);
    ASSERT_TRUE(layout);
    EXPECT_FALSE(layout->IsUncompressed());
    EXPECT_EQ(layout->pixelBytes, 6u);
}

TEST(DibLayout, RejectsEveryMalformedHeader) {
    struct Case {
        const char* name;
        void (*spoil)(BitmapInfoHeader&);
    };
    const Case cases[] = {
        {"unknown header size", [](BitmapInfoHeader& h) { h.headerSize = 41; }},
        {"zero width", [](BitmapInfoHeader& h) { h.width = 0; }},
        {"negative width", [](BitmapInfoHeader& h) { h.width = -4; }},
        {"zero height", [](BitmapInfoHeader& h) { h.height = 0; }},
        {"top-down rows", [](BitmapInfoHeader& h) { h.height = -4; }},
        {"two planes", [](BitmapInfoHeader& h) { h.planes = 2; }},
        {"depth 2", [](BitmapInfoHeader& h) { h.bitCount = 2; }},
        {"depth 0", [](BitmapInfoHeader& h) { h.bitCount = 0; }},
        {"bit fields", [](BitmapInfoHeader& h) { h.compression = 3; }},
        {"8-bit run length on 4 bits",
         [](BitmapInfoHeader& h) {
             h.bitCount = 4;
             h.compression = 1;
             h.imageSize = 4;
         }},
        {"run length without size", [](BitmapInfoHeader& h) { h.compression = 1; }},
        {"more colours than the depth has", [](BitmapInfoHeader& h) { h.colorsUsed = 257; }},
        {"colour table beyond the end", [](BitmapInfoHeader& h) { h.colorsUsed = 200; }},
        {"rows beyond the end", [](BitmapInfoHeader& h) { h.height = 5; }},
        {"huge width", [](BitmapInfoHeader& h) { h.width = std::numeric_limits<std::int32_t>::max(); }},
        {"huge both",
         [](BitmapInfoHeader& h) {
             h.width = std::numeric_limits<std::int32_t>::max();
             h.height = std::numeric_limits<std::int32_t>::max();
             h.bitCount = 32;
             h.colorsUsed = 0;
         }},
        {"huge colour count",
         [](BitmapInfoHeader& h) {
             h.bitCount = 24;
             h.colorsUsed = 0xFFFFFFFF;
         }},
    };
    // A sound 4 x 4, 8-bit bitmap with a 2-entry table: 40 + 8 + 16 bytes.
    const BitmapInfoHeader sound = MakeInfoHeader(4, 4, 8, 2);
    ASSERT_TRUE(ValidatePackedDib(PackDib(sound, {{}, {}}, Bytes(16, 0))));
    for (const Case& c : cases) {
        BitmapInfoHeader header = sound;
        c.spoil(header);
        EXPECT_FALSE(ValidatePackedDib(PackDib(header, {{}, {}}, Bytes(16, 0)))) << c.name;
    }
}

TEST(DibLayout, EveryTruncationOfASoundBitmapFailsCleanly) {
    const Bytes bytes = PackDib(MakeInfoHeader(3, 2, 24), {}, Bytes(24, 7));
    ASSERT_TRUE(ValidatePackedDib(bytes));
    for (std::size_t length = 0; length < bytes.size(); ++length) {
        EXPECT_FALSE(ValidatePackedDib(std::span(bytes).first(length))) << length;
    }
}

}  // namespace
