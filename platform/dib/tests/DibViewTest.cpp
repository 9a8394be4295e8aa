#include "DibView.h"

#include "BitmapRecords.h"
#include "DibTestSupport.h"

#include <gtest/gtest.h>

using namespace platform;
using platform::testing::Bytes;
using platform::testing::MakeInfoHeader;
using platform::testing::PackDib;

namespace {

constexpr RgbQuad kBlack{};
constexpr RgbQuad kRed{.blue = 0, .green = 0, .red = 255, .reserved = 0};
constexpr RgbQuad kGreen{.blue = 0, .green = 255, .red = 0, .reserved = 0};
constexpr RgbQuad kBlue{.blue = 255, .green = 0, .red = 0, .reserved = 0};

// Each case is a 3 x 2 picture whose top row reads red, green, blue and whose bottom row reads
// blue, black, red, stored bottom row first.
struct DepthCase {
    const char* name;
    std::uint16_t bitCount;
    std::vector<RgbQuad> palette;
    Bytes rows;  // bottom row first, each padded to 4 bytes
};

TEST(DibView, ReadsEveryDepthInPictureOrder) {
    const DepthCase cases[] = {
        // Indices red 1, green 2, blue 3 (black 0).
        {"4 bits", 4, {kBlack, kRed, kGreen, kBlue}, {0x30, 0x10, 0, 0, 0x12, 0x30, 0, 0}},
        {"8 bits", 8, {kBlack, kRed, kGreen, kBlue}, {3, 0, 1, 0, 1, 2, 3, 0}},
        {"16 bits, 5 bits a channel",
         16,
         {},
         {0x1F, 0x00, 0x00, 0x00, 0x00, 0x7C, 0x00, 0x00, 0x00, 0x7C, 0xE0, 0x03, 0x1F, 0x00, 0x00, 0x00}},
        {"24 bits", 24, {}, {255, 0, 0,   0, 0,   0, 0,   0, 255, 0, 0, 0,  //
                             0,   0, 255, 0, 255, 0, 255, 0, 0,   0, 0, 0}},
        {"32 bits", 32, {}, {255, 0, 0,   0, 0, 0,   0, 0, 0,   0, 255, 0,  //
                             0,   0, 255, 0, 0, 255, 0, 0, 255, 0, 0,   0}},
    };
    const std::uint32_t top[] = {0xFF0000, 0x00FF00, 0x0000FF};
    const std::uint32_t bottom[] = {0x0000FF, 0x000000, 0xFF0000};
    for (const DepthCase& c : cases) {
        const Bytes bytes =
            PackDib(MakeInfoHeader(3, 2, c.bitCount, static_cast<std::uint32_t>(c.palette.size())), c.palette,
                    c.rows);
        const std::optional<DibView> view = DibView::Of(bytes);
        ASSERT_TRUE(view) << c.name;
        for (int column = 0; column < 3; ++column) {
            EXPECT_EQ(view->PixelRgb(column, 0), top[column]) << c.name << " top " << column;
            EXPECT_EQ(view->PixelRgb(column, 1), bottom[column]) << c.name << " bottom " << column;
        }
    }
}

TEST(DibView, OneBitPixelsTakeTheirColoursFromTheTableMostSignificantBitLeftmost) {
    const Bytes bytes = PackDib(MakeInfoHeader(10, 1, 1), {kBlue, kRed}, {0b10100000, 0b01000000, 0, 0});
    const std::optional<DibView> view = DibView::Of(bytes);
    ASSERT_TRUE(view);
    const std::uint32_t expected[] = {0xFF0000, 0x0000FF, 0xFF0000, 0x0000FF, 0x0000FF,
                                      0x0000FF, 0x0000FF, 0x0000FF, 0x0000FF, 0xFF0000};
    for (int column = 0; column < 10; ++column) {
        EXPECT_EQ(view->PixelRgb(column, 0), expected[column]) << column;
    }
}

TEST(DibView, IndexBeyondAShortColourTableReadsBlackInsteadOfPastTheTable) {
    // Two table entries, then rows whose indices point far beyond them.
    const Bytes bytes = PackDib(MakeInfoHeader(2, 1, 8, 2), {kRed, kGreen}, {1, 255, 0, 0});
    const std::optional<DibView> view = DibView::Of(bytes);
    ASSERT_TRUE(view);
    EXPECT_EQ(view->PixelRgb(0, 0), 0x00FF00u);
    EXPECT_EQ(view->PixelRgb(1, 0), 0u);
}

TEST(DibView, CoreHeaderColourTableHasThreeByteEntries) {
    const auto header = Encode(BitmapCoreHeader{12, 2, 1, 1, 8});
    Bytes bytes(header.begin(), header.end());
    Bytes palette(256 * 3, 0);
    palette[5 * 3 + 1] = 200;  // index 5: green 200
    bytes.insert(bytes.end(), palette.begin(), palette.end());
    bytes.insert(bytes.end(), {5, 0, 0, 0});
    const std::optional<DibView> view = DibView::Of(bytes);
    ASSERT_TRUE(view);
    EXPECT_EQ(view->PixelRgb(0, 0), 0x00C800u);
    EXPECT_EQ(view->PixelRgb(1, 0), 0u);
}

TEST(DibView, GivesNothingForBytesThatAreNotABitmap) {
    EXPECT_FALSE(DibView::Of(Bytes{}));
    EXPECT_FALSE(DibView::Of(Bytes(39, 0)));
}

}  // namespace
