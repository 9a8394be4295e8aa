// Depth conversion, palette normalising, resampling and combining.
#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "PlainLoops.h"
#include "Raster.h"
#include "Rasterkit.h"
#include "RasterkitTestSupport.h"
#include "Resample.h"

namespace {

using namespace rasterkit_test;
using platform::DibBlock;

TEST(FormatExportsTest, ConversionWritesGreyLevelsAndThresholdsAbove126) {
    struct Case {
        int from;
        std::uint32_t paint;  // the value painted
        int to;
        int expected;  // colour read back
    };
    const Case cases[] = {
        {8, 127, 1, 0xFFFFFF},        {8, 126, 1, 0},
        {24, 0x102030, 8, 0x1C1C1C},  // trunc(0.30 x 16 + 0.59 x 32 + 0.11 x 48) = 28
        {8, 0xAB, 4, 0xA0A0A0},       {1, 1, 24, 0xFFFFFF},
        {4, 3, 8, 0x303030},          {24, 0x0A0B0C, 24, 0x0A0B0C},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.from << " to " << c.to << " of " << c.paint);
        DibBlock dib = Painted(3, 2, c.from, [&](int, int) { return c.paint; });
        ASSERT_EQ(_dib_format(&dib, c.to), 0);
        EXPECT_EQ(dib.Layout().bitCount, c.to);
        EXPECT_EQ(ColourAt(dib, 2, 1), c.expected);
    }
    DibBlock dib = Created(2, 2, 8);
    EXPECT_EQ(_dib_format(&dib, 16), 1);
    EXPECT_EQ(dib.Layout().bitCount, 8);
}

TEST(FormatExportsTest, PaletteNormalisingRemapsOnlyTablesThatAreNotGreyRamps) {
    DibBlock ramp = Painted(4, 1, 8, [](int c, int) { return static_cast<std::uint32_t>(c * 50); });
    const std::vector<std::uint8_t> before(ramp.Bytes().begin(), ramp.Bytes().end());
    EXPECT_EQ(_dib_adjustpal(&ramp), 0);
    EXPECT_TRUE(std::ranges::equal(ramp.Bytes(), before));

    DibBlock inverted = Painted(4, 1, 8, [](int c, int) { return static_cast<std::uint32_t>(c * 50); });
    std::span<std::uint8_t> table = inverted.MutablePalette();
    for (int i = 0; i < 256; ++i) {
        table[4 * i] = table[4 * i + 1] = table[4 * i + 2] = static_cast<std::uint8_t>(255 - i);
    }
    EXPECT_EQ(_dib_adjustpal(&inverted), 0);
    for (int c = 0; c < 4; ++c) {
        // The weighted grey of an even grey may truncate one below it.
        const std::uint8_t grey = rasterkit::GreyOf(0x010101u * static_cast<std::uint32_t>(255 - c * 50));
        EXPECT_EQ(StoredValue(inverted, c, 0), grey);
        EXPECT_EQ(ColourAt(inverted, c, 0), 0x010101 * grey);
    }
}

TEST(FormatExportsTest, ResolutionChangeRefusesSizesItCannotMake) {
    struct Case {
        double widthMm, heightMm;
        int dpi;
    };
    const Case cases[] = {{100, 100, 0}, {0, 100, 300}, {100, -1, 300}, {std::nan(""), 100, 300},
                          {1e12, 100, 300}, {100, 100, -300}, {0.001, 0.001, 300}};
    for (const Case& c : cases) {
        DibBlock dib = Created(10, 10, 8);
        EXPECT_EQ(_dib_setresolution(&dib, c.widthMm, c.heightMm, c.dpi), 1) << c.widthMm << " " << c.dpi;
        EXPECT_EQ(dib.Layout().width, 10);
    }
}

TEST(FormatExportsTest, ResamplingGivesTheBytesOfTheLiteralRule) {
    for (const int bits : {1, 4, 8, 24}) {
        for (const auto& [width, height] : {std::pair{57, 33}, std::pair{300, 7}, std::pair{3, 250}}) {
            SCOPED_TRACE(testing::Message() << bits << " bits to " << width << "x" << height);
            const DibBlock from = Painted(101, 77, bits, [](int c, int r) { return static_cast<std::uint32_t>(c * 13 ^ r * 7); });
            DibBlock to = Created(width, height, bits);
            rasterkit::ResamplePixels(*rasterkit::ConstRaster::Of(&from), *rasterkit::Raster::Of(&to));
            EXPECT_TRUE(std::ranges::equal(to.Bytes(), PlainResample(from, width, height).Bytes()));
        }
    }
}

TEST(FormatExportsTest, ResamplingToASizeGivesBlackAndWhiteGreyOrColour) {
    DibBlock grey = Painted(16, 16, 8, [](int c, int r) { return static_cast<std::uint32_t>(c * 16 + r); });
    ASSERT_EQ(_dib_logformat(&grey, 40, 9, 8), 0);
    std::set<std::uint8_t> values(grey.Pixels().begin(), grey.Pixels().end());
    values.erase(0);
    values.erase(255);
    EXPECT_TRUE(values.empty() || (values.size() == 1 && grey.Layout().stride != 40));
    EXPECT_EQ(grey.InfoHeader()->xPelsPerMeter, 100);
    DibBlock colour = Painted(2, 2, 24, [](int, int) { return 0x123456u; });
    ASSERT_EQ(_dib_logformat(&colour, 5, 5, 24), 0);
    EXPECT_EQ(ColourAt(colour, 4, 4), 0x123456);
    EXPECT_EQ(_dib_logformat(&colour, 5, 5, 4), 1);
    EXPECT_EQ(_dib_logformat(&colour, 0, 5, 8), 1);
}

TEST(FormatExportsTest, CombiningDrawsOnlyWhatOverlapsTheDestination) {
    // Destination 10 x 10 pixels over 10 mm; source 4 x 4 pixels over 4 mm, all black.
    struct Case {
        int colOffset, rowOffset;
        int blackPixels;
    };
    for (const Case& c : {Case{0, 0, 16}, Case{8, 8, 4}, Case{-2, 0, 8}, Case{9, -3, 1}, Case{10, 0, 0}, Case{-4, 0, 0}}) {
        SCOPED_TRACE(testing::Message() << c.colOffset << "," << c.rowOffset);
        DibBlock destination = Created(10, 10, 8);
        const DibBlock source = Painted(4, 4, 1, [](int, int) { return 0u; });
        ASSERT_EQ(_dib_mix(&destination, 0, 0, 10, 10, &source, 0, 0, 4, 4, c.colOffset, c.rowOffset), 0);
        EXPECT_EQ(std::ranges::count(destination.Pixels(), 0), c.blackPixels);
    }
    DibBlock destination = Created(10, 10, 8);
    const DibBlock source = Created(4, 4, 8);
    EXPECT_EQ(_dib_mix(&destination, 0, 0, 0, 10, &source, 0, 0, 4, 4, 0, 0), 1);
    EXPECT_EQ(_dib_mix(&destination, 0, 0, 10, 10, &source, 0, 0, 4, std::nan(""), 0, 0), 1);
}

}  // namespace
