#include "HlsColor.h"

#include <gtest/gtest.h>

#include <cstdlib>

using platform::Rgb;

namespace {

int Saturation(HlsColor hls) { return static_cast<int>((hls >> 16) & 0xFF); }

int LargestComponentDifference(platform::ColorRef a, platform::ColorRef b) {
    return std::max({std::abs(platform::RedOf(a) - platform::RedOf(b)),
                     std::abs(platform::GreenOf(a) - platform::GreenOf(b)),
                     std::abs(platform::BlueOf(a) - platform::BlueOf(b))});
}

const platform::ColorRef kSampleColors[] = {
    Rgb(255, 0, 0), Rgb(0, 255, 0),     Rgb(0, 0, 255),    Rgb(212, 208, 200), Rgb(10, 36, 106),
    Rgb(0, 0, 0),   Rgb(255, 255, 255), Rgb(128, 128, 128), Rgb(255, 255, 0),  Rgb(49, 106, 197),
};

}  // namespace

TEST(HlsColor, FullLightnessGivesWhiteForEveryColour) {
    for (const platform::ColorRef color : kSampleColors) {
        EXPECT_EQ(AdjustHLS(color, 100, 0), Rgb(255, 255, 255)) << std::hex << color;
    }
}

TEST(HlsColor, NoAdjustmentReturnsTheColourUpToRounding) {
    for (const platform::ColorRef color : kSampleColors) {
        EXPECT_LE(LargestComponentDifference(AdjustHLS(color, 0, 0), color), 5) << std::hex << color;
    }
}

TEST(HlsColor, GreyKeepsSaturationZeroWhateverTheAdjustment) {
    for (const int lightness : {-60, -20, 0, 20, 60}) {
        const platform::ColorRef adjusted = AdjustHLS(Rgb(128, 128, 128), lightness, 0);
        EXPECT_EQ(Saturation(RGBtoHLS(adjusted)), 0) << lightness;
        EXPECT_EQ(platform::RedOf(adjusted), platform::GreenOf(adjusted));
        EXPECT_EQ(platform::GreenOf(adjusted), platform::BlueOf(adjusted));
    }
}

TEST(HlsColor, PackedHueFollowsTheMaximumComponent) {
    struct Case {
        platform::ColorRef color;
        int hueByte;
    };
    // Pure red sits at exactly 360 degrees, the top of the byte; on a tie blue wins over green.
    const Case cases[] = {{Rgb(255, 0, 0), 255}, {Rgb(0, 255, 0), 85}, {Rgb(0, 0, 255), 170}, {Rgb(0, 255, 255), 127}};
    for (const Case& c : cases) EXPECT_EQ(static_cast<int>(RGBtoHLS(c.color) & 0xFF), c.hueByte) << std::hex << c.color;
}

TEST(HlsColor, NegativeLightnessDarkensTowardsBlack) {
    EXPECT_EQ(AdjustHLS(Rgb(200, 40, 40), -100, 0), Rgb(0, 0, 0));
    const platform::ColorRef darker = AdjustHLS(Rgb(200, 40, 40), -50, 0);
    EXPECT_LT(platform::RedOf(darker), 200);
    EXPECT_GT(platform::RedOf(darker), platform::GreenOf(darker));
}
