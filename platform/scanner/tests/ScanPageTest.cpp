#include "ScanPage.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

using platform::DibFromScan;
using platform::ScanLayout;
using Format = ScanLayout::Format;

// The pixel (x, y from the top) of an 8- or 24-bit bitmap: its byte, or its three bytes blue first.
std::vector<std::uint8_t> PixelAt(const platform::DibBlock& dib, int x, int y) {
    const platform::DibLayout& layout = dib.Layout();
    const std::size_t row = static_cast<std::size_t>(layout.height - 1 - y) * layout.stride;
    const std::size_t size = layout.bitCount / 8;
    const auto at = dib.Pixels().subspan(row + static_cast<std::size_t>(x) * size, size);
    return {at.begin(), at.end()};
}

TEST(ScanPage, EachFormatBecomesItsBitmapTopRowFirst) {
    std::vector<std::uint8_t> grey16(2 * 2 * 2);
    const std::uint16_t samples[] = {0x1234, 0xFF00, 0x00FF, 0x8000};
    std::memcpy(grey16.data(), samples, sizeof samples);
    struct Case {
        const char* name;
        ScanLayout layout;
        std::vector<std::uint8_t> bytes;
        std::uint16_t bitCount;
        std::vector<std::uint8_t> topLeft;
        std::vector<std::uint8_t> bottomRight;
    };
    const Case cases[] = {
        {"grey", {Format::kGrey, 4, 3, 2, 8}, {10, 20, 30, 0, 40, 50, 60, 0}, 8, {10}, {60}},
        {"grey 16 keeps the high byte", {Format::kGrey, 4, 2, 2, 16}, grey16, 8, {0x12}, {0x80}},
        {"colour is stored blue first",
         {Format::kColour, 6, 2, 2, 8},
         {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12},
         24,
         {3, 2, 1},
         {12, 11, 10}},
        {"one-bit colour channels are full or off",
         {Format::kColour, 1, 2, 1, 1},
         {0b0100'0100},
         24,
         {0, 255, 0},
         {255, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto dib = DibFromScan(c.layout, c.bytes, 300.0);
        ASSERT_TRUE(dib);
        EXPECT_EQ(dib->Layout().bitCount, c.bitCount);
        EXPECT_EQ(dib->Layout().width, c.layout.pixelsPerLine);
        EXPECT_EQ(dib->Layout().height, c.layout.lines);
        EXPECT_EQ(PixelAt(*dib, 0, 0), c.topLeft);
        EXPECT_EQ(PixelAt(*dib, c.layout.pixelsPerLine - 1, c.layout.lines - 1), c.bottomRight);
        EXPECT_EQ(dib->InfoHeader()->xPelsPerMeter, 11811);  // 300 dpi
    }
}

TEST(ScanPage, LineArtKeepsOneBitWithBlackWhereTheScannerSaysOne) {
    auto dib = DibFromScan({Format::kGrey, 1, 8, 1, 1}, std::vector<std::uint8_t>{0b1100'0001}, 100.0);
    ASSERT_TRUE(dib);
    ASSERT_EQ(dib->Layout().bitCount, 1);
    EXPECT_EQ(dib->Pixels()[0], 0b0011'1110);  // palette entry 0 is black
    EXPECT_EQ(dib->MutablePalette()[0], 0);
    EXPECT_EQ(dib->MutablePalette()[4], 255);
}

TEST(ScanPage, AnUnknownLengthIsTakenFromTheBytesAndAShortPageKeepsItsWholeLines) {
    const std::vector<std::uint8_t> bytes(4 * 5 - 1, 7);  // five lines of four, cut by one byte
    const auto unknown = DibFromScan({Format::kGrey, 4, 4, -1, 8}, bytes, 0.0);
    ASSERT_TRUE(unknown);
    EXPECT_EQ(unknown->Layout().height, 4);
    EXPECT_EQ(unknown->InfoHeader()->xPelsPerMeter, platform::DibBlock::kDefaultPelsPerMeter);
    const auto promised = DibFromScan({Format::kGrey, 4, 4, 5, 8}, bytes, 50.0);
    ASSERT_TRUE(promised);
    EXPECT_EQ(promised->Layout().height, 4);
}

TEST(ScanPage, LayoutsThatDoNotFitTheirBytesGiveNothing) {
    const std::vector<std::uint8_t> bytes(64, 0);
    struct Case {
        const char* name;
        ScanLayout layout;
        std::size_t size;
    };
    const Case cases[] = {
        {"pixels beyond the line", {Format::kGrey, 3, 4, 2, 8}, 64},
        {"colour pixels beyond the line", {Format::kColour, 8, 3, 2, 8}, 64},
        {"not one whole line", {Format::kGrey, 8, 8, 2, 8}, 7},
        {"four-bit samples", {Format::kGrey, 4, 8, 2, 4}, 64},
        {"one channel of three", {Format::kOther, 4, 4, 2, 8}, 64},
        {"no pixels", {Format::kGrey, 4, 0, 2, 8}, 64},
        {"negative line size", {Format::kGrey, -4, 4, 2, 8}, 64},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(DibFromScan(c.layout, std::span(bytes).first(c.size), 50.0)) << c.name;
    }
}

}  // namespace
