// Creation, copies, getters and setters of the bitmap handle, and drawing into a device context.
#include <gtest/gtest.h>

#include <memory>

#include "DeviceContext.h"
#include "Rasterkit.h"
#include "RasterkitTestSupport.h"
#include "RecordingBackend.h"

namespace {

using namespace rasterkit_test;
using platform::DibBlock;

TEST(HandleExportsTest, CreateMakesWhitePicturesWithAGreyPaletteAndUsableResolution) {
    struct Case {
        int bits;
        int xPels;
        int yPels;
        int firstColour;   // _dib_getpixel of (0, 0)
        int expectXPels;
        int expectYPels;
    };
    const Case cases[] = {
        {1, 0, 0, 0xFFFFFF, 2835, 2835},      {4, 0, 0, 0xF0F0F0, 2835, 2835},
        {8, -5, 3937, 0xFFFFFF, 2835, 3937},  {24, 100'000'001, 1, 0xFFFFFF, 2835, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bits);
        DibBlock dib;
        ASSERT_EQ(_dib_create(7, 3, c.bits, c.xPels, c.yPels, &dib), 0);
        int colour = -1, x = 0, y = 0;
        EXPECT_EQ(_dib_getpixel(&dib, 0, 0, &colour), 0);
        EXPECT_EQ(colour, c.firstColour);
        EXPECT_EQ(_dib_getprecision(&dib, &x, &y), 0);
        EXPECT_EQ(x, c.expectXPels);
        EXPECT_EQ(y, c.expectYPels);
    }
}

TEST(HandleExportsTest, CreateRefusesWhatCannotBeMadeAndLeavesANullHandle) {
    struct Case {
        int width, height, bits;
    };
    for (const Case& c : {Case{0, 5, 8}, Case{5, -1, 8}, Case{5, 5, 16}, Case{5, 5, 3}, Case{100000, 100000, 24}}) {
        DibBlock dib = Created(1, 1, 1);
        EXPECT_EQ(_dib_create(c.width, c.height, c.bits, 0, 0, &dib), 1);
        EXPECT_TRUE(dib.IsEmpty());
    }
}

TEST(HandleExportsTest, GettersReportSizeDepthStrideAndResolution) {
    DibBlock dib = Created(37, 5, 4);
    std::int16_t bits = 0;
    int width = 0, height = 0, stride = 0;
    double mmX = 0.0, mmY = 0.0;
    EXPECT_EQ(_dib_getbitcount(&dib, &bits), 0);
    EXPECT_EQ(_dib_getwidth(&dib, &width), 0);
    EXPECT_EQ(_dib_getheight(&dib, &height), 0);
    EXPECT_EQ(_dib_getwidthbytes(&dib, &stride), 0);
    EXPECT_EQ(_dib_getdpix(&dib, &mmX), 0);
    EXPECT_EQ(_dib_setprecision(&dib, 0, 10000), 0);
    EXPECT_EQ(_dib_getdpiy(&dib, &mmY), 0);
    EXPECT_EQ(bits, 4);
    EXPECT_EQ(width, 37);
    EXPECT_EQ(height, 5);
    EXPECT_EQ(stride, 20);
    EXPECT_DOUBLE_EQ(mmX, 1000.0 / 2835);
    EXPECT_DOUBLE_EQ(mmY, 0.1);

    const DibBlock null;
    EXPECT_EQ(_dib_getwidth(&null, &width), 0);
    EXPECT_EQ(width, 0);
    EXPECT_EQ(_dib_getbitcount(&null, &bits), 1);
    EXPECT_EQ(_dib_getdpix(&null, &mmX), 1);
    EXPECT_EQ(mmX, 0.0);
    EXPECT_EQ(_dib_getbitsptr(&null, nullptr), 1);
    EXPECT_EQ(_dib_getbitsptr(&dib, nullptr), 0);
}

TEST(HandleExportsTest, PixelQueryPacksRedGreenBlueAndCountsRowsFromTheTop) {
    DibBlock rgb = Painted(2, 2, 24, [](int c, int r) { return c == 1 && r == 1 ? 0x030201u : 0u; });
    DibBlock mono = Painted(2, 1, 1, [](int c, int) { return c == 0 ? 1u : 0u; });
    // A 1-bit pixel's set bit is white whatever the colour table says.
    std::fill(mono.MutablePalette().begin(), mono.MutablePalette().end(), std::uint8_t{0});
    int colour = -1;
    EXPECT_EQ(_dib_getpixel(&rgb, 1, 0, &colour), 0);
    EXPECT_EQ(colour, 3 * 65536 + 2 * 256 + 1);
    EXPECT_EQ(_dib_getpixel(&mono, 0, 0, &colour), 0);
    EXPECT_EQ(colour, 0xFFFFFF);
    for (const auto& [x, y] : {std::pair{-1, 0}, std::pair{0, -1}, std::pair{2, 0}, std::pair{0, 2}}) {
        EXPECT_EQ(_dib_getpixel(&rgb, x, y, &colour), 1);
        EXPECT_EQ(colour, 0);
    }
}

TEST(HandleExportsTest, ZeroResolutionReadsAndStaysAsTheDefault) {
    DibBlock dib = Created(2, 2, 8);
    platform::BitmapInfoHeader header = *dib.InfoHeader();
    header.xPelsPerMeter = 0;
    header.yPelsPerMeter = -7;
    ASSERT_TRUE(dib.ReplaceInfoHeader(header));
    int x = 0, y = 0;
    EXPECT_EQ(_dib_getprecision(&dib, &x, &y), 0);
    EXPECT_EQ(x, 2835);
    EXPECT_EQ(y, 2835);
    EXPECT_EQ(dib.InfoHeader()->xPelsPerMeter, 2835);
    EXPECT_EQ(dib.InfoHeader()->yPelsPerMeter, 2835);
}

TEST(HandleExportsTest, CopyIsSeparateAndTheNullHandleCopiesToFailure) {
    DibBlock dib = Created(3, 3, 8);
    DibBlock copy;
    ASSERT_EQ(_dib_copy(&dib, &copy), 0);
    copy.MutablePixels()[0] = 0;
    EXPECT_EQ(dib.Pixels()[0], 0xFF);
    const DibBlock null;
    EXPECT_EQ(_dib_copy(&null, &copy), 1);
    EXPECT_TRUE(copy.IsEmpty());
}

TEST(HandleExportsTest, PixelExportsRefuseRunLengthBlocks) {
    HandBmp encoded = Bmp(4, 3, 8, 1);
    encoded.imageSize = 6;
    encoded.palette.assign(1024, 0);
    encoded.pixels = {4, 1, 0, 0, 0, 1};
    const std::vector<std::uint8_t> file = encoded.Bytes();
    std::optional<DibBlock> packed = DibBlock::FromPackedBytes(std::span(file).subspan(14));
    ASSERT_TRUE(packed);
    const std::vector<std::uint8_t> before(packed->Bytes().begin(), packed->Bytes().end());
    int colour = 0;
    EXPECT_EQ(_dib_getpixel(&*packed, 0, 0, &colour), 1);
    EXPECT_EQ(_dib_invert(&*packed), 1);
    EXPECT_EQ(_dib_xmirror(&*packed), 1);
    EXPECT_EQ(_dib_format(&*packed, 1), 1);
    EXPECT_EQ(_dib_dot(&*packed), 1);
    EXPECT_EQ(_dib_rotate(&*packed, 90), 1);
    EXPECT_TRUE(std::ranges::equal(packed->Bytes(), before));
}

TEST(HandleExportsTest, DisplayStretchesTheSourceRectangleCountedFromTheTop) {
    auto backend = std::make_unique<platform::RecordingBackend>(platform::Size{200, 200});
    const platform::RecordingBackend& calls = *backend;
    platform::DeviceContext dc(std::move(backend));
    DibBlock dib = Created(40, 30, 8);
    // Source rows 5..15 from the top are stored rows 15..25 from the bottom.
    EXPECT_EQ(_dib_display(&dc, &dib, {10, 20, 110, 70}, {0, 5, 40, 15}, 0x00660046), 0);
    ASSERT_EQ(calls.Calls().size(), 1u);
    EXPECT_EQ(calls.Calls()[0].rect, (platform::Rect{10, 20, 110, 70}));
    EXPECT_EQ(calls.Calls()[0].source, (platform::PictureRect{0, 5, 40, 10}));
    const DibBlock null;
    EXPECT_EQ(_dib_display(&dc, &null, {0, 0, 1, 1}, {0, 0, 1, 1}, 0), 1);
    EXPECT_EQ(_dib_display(&dc, &dib, {0, 0, 1, 1}, {0, 0, 0, 0}, 0), 1);
}

}  // namespace
