// Brightness and contrast, inversion, convolution, thickening and thinning.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "Rasterkit.h"
#include "RasterkitTestSupport.h"

namespace {

using namespace rasterkit_test;
using platform::DibBlock;

TEST(ToneExportsTest, BrightnessAndContrastMapEachValue) {
    struct Case {
        int order, brightness, contrast;
        std::uint8_t in, out;
    };
    const Case cases[] = {
        {0, 0, 200, 100, 0},      {0, 0, 50, 100, 82},
        {0, 50, 100, 60, 46},     {1, 50, 100, 60, 50},       {0, 1000, 0, 0, 255},
        // From -128 on the compressed range is empty: mid grey, never tones turned over.
        {0, 0, -128, 0, 128},     {0, 0, -255, 255, 128},     {0, 0, -1000, 7, 128},  {0, 0, -127, 255, 128},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.order << " b" << c.brightness << " k" << c.contrast << " on " << int(c.in));
        DibBlock dib = Painted(3, 1, 8, [&](int, int) { return c.in; });
        ASSERT_EQ(_dib_bandc(&dib, c.order, c.brightness, c.contrast), 0);
        EXPECT_EQ(StoredValue(dib, 2, 0), c.out);
    }
}

TEST(ToneExportsTest, BrightnessAndContrastTouchEveryChannelAndNothingElse) {
    DibBlock colour = Painted(2, 2, 24, [](int, int) { return 0x102030u; });
    ASSERT_EQ(_dib_bandc(&colour, 0, 16, 0), 0);
    int rgb = 0;
    _dib_getpixel(&colour, 1, 1, &rgb);
    EXPECT_EQ(rgb, 0x203040);
    DibBlock grey = Painted(2, 2, 8, [](int, int) { return 90u; });
    const std::vector<std::uint8_t> before(grey.Bytes().begin(), grey.Bytes().end());
    EXPECT_EQ(_dib_bandc(&grey, 2, 10, 0), 1);
    EXPECT_EQ(_dib_bandc(&grey, 7, 0, 0), 0);
    EXPECT_TRUE(std::ranges::equal(grey.Bytes(), before));
    DibBlock mono = Created(9, 2, 1);
    EXPECT_EQ(_dib_bandc(&mono, 0, -200, 0), 0);
    EXPECT_EQ(StoredValue(mono, 0, 0), 1u);
}

TEST(ToneExportsTest, InversionFlipsOneEightAndTwentyFourBitPixels) {
    struct Case {
        int bits;
        std::uint32_t in;
        int out;  // colour read back
    };
    for (const Case& c : {Case{1, 1, 0}, Case{8, 0x30, 0xCFCFCF}, Case{24, 0x102030, 0xEFDFCF}, Case{4, 3, 0x303030}}) {
        SCOPED_TRACE(c.bits);
        DibBlock dib = Painted(3, 2, c.bits, [&](int, int) { return c.in; });
        ASSERT_EQ(_dib_invert(&dib), 0);
        int colour = -1;
        _dib_getpixel(&dib, 2, 1, &colour);
        EXPECT_EQ(colour, c.out);
    }
}

TEST(ToneExportsTest, SharpeningKeepsUniformGreyEverywhereAndRescalesAtTheBorder) {
    DibBlock uniform = Painted(6, 5, 8, [](int, int) { return 97u; });
    const std::vector<std::uint8_t> before(uniform.Bytes().begin(), uniform.Bytes().end());
    ASSERT_EQ(_dib_sharp(&uniform), 0);
    EXPECT_TRUE(std::ranges::equal(uniform.Bytes(), before));

    // One bright pixel in the middle and one in the corner.
    DibBlock spot = Painted(5, 5, 8, [](int c, int r) { return (c == 2 && r == 2) || (c == 0 && r == 0) ? 100u : 10u; });
    ASSERT_EQ(_dib_sharp(&spot), 0);
    EXPECT_EQ(StoredValue(spot, 2, 2), (15u * 100 - 8 * 10) / 7);                 // 202
    EXPECT_EQ(StoredValue(spot, 0, 0), 7u * (15 * 100 - 3 * 10) / (7 * 12));      // 122
    EXPECT_EQ(StoredValue(spot, 1, 1), 0u);  // (150 - 200 - 60) / 7 limited to 0
}

TEST(ToneExportsTest, ConvolutionLeavesOtherDepthsAndSurvivesHugeKernels) {
    DibBlock mono = Created(4, 4, 1);
    const int blur[9] = {1, 1, 1, 1, 1, 1, 1, 1, 1};
    EXPECT_EQ(_dib_filter(&mono, blur, 3, 9, 0), 0);
    EXPECT_EQ(StoredValue(mono, 0, 0), 1u);
    DibBlock grey = Painted(4, 4, 8, [](int c, int) { return c * 80u; });
    const int huge[9] = {INT_MAX, INT_MIN, INT_MAX, INT_MIN, INT_MAX, INT_MIN, INT_MAX, INT_MIN, INT_MAX};
    EXPECT_EQ(_dib_filter(&grey, huge, 3, 1, INT_MAX), 0);
    EXPECT_EQ(_dib_filter(&grey, nullptr, 3, 1, 0), 1);
    EXPECT_EQ(_dib_filter(&grey, blur, 0, 1, 0), 1);
}

// Side of the black square left after thickening or thinning a 10 x 10 square in a 30 x 30 picture of
// 1 mm pixels.
int SquareSideAfter(int mode, double widthMm) {
    DibBlock dib = Painted(30, 30, 8, [](int c, int r) { return c >= 10 && c < 20 && r >= 10 && r < 20 ? 0u : 255u; });
    EXPECT_EQ(_dib_thickfont(&dib, mode, widthMm, 30.0, 0.0), 0);
    int side = 0;
    for (int c = 0; c < 30; ++c) {
        side += StoredValue(dib, c, 15) == 0 ? 1 : 0;
    }
    return side;
}

TEST(ToneExportsTest, ThickeningAndThinningMoveTheBorderByWholePixelsAtLeastOne) {
    struct Case {
        int mode;
        double widthMm;
        int side;
    };
    for (const Case& c : {Case{0, 2.0, 6}, Case{0, 1.0, 8}, Case{0, 0.1, 8}, Case{0, 2.9, 6}, Case{1, 2.0, 14},
                          Case{1, 0.1, 12}, Case{0, 7.0, 0}, Case{0x10001, 1.0, 12}}) {
        EXPECT_EQ(SquareSideAfter(c.mode, c.widthMm), c.side) << c.mode << " " << c.widthMm;
    }
}

TEST(ToneExportsTest, ThickeningRefusesWhatItCannotMeasure) {
    for (const double sizeMm : {0.0, -5.0, std::nan(""), double{INFINITY}}) {
        DibBlock dib = Created(8, 8, 8);
        EXPECT_EQ(_dib_thickfont(&dib, 1, 1.0, sizeMm, 0.0), 1) << sizeMm;
        EXPECT_EQ(StoredValue(dib, 0, 0), 255u);
    }
    DibBlock colour = Created(8, 8, 24);
    EXPECT_EQ(_dib_thickfont(&colour, 1, 1.0, 8.0, 0.0), 1);
}

}  // namespace
