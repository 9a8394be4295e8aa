// Gradient bar bands.
#include <gtest/gtest.h>

#include "GradientBands.h"

namespace simscope {
namespace {

using platform::Rgb;

TEST(GradientBands, OneBandPerStepOfTheWidestChannel) {
    struct Case {
        const char* name;
        platform::ColorRef start;
        platform::ColorRef end;
        std::int32_t width;
        std::vector<GradientBand> expectedFirst;
        std::size_t count;
    };
    const Case cases[] = {
        {"black to red", Rgb(0, 0, 0), Rgb(255, 0, 0), 510, {{0, 2, Rgb(0, 0, 0)}, {2, 4, Rgb(1, 0, 0)}}, 255},
        {"two half bands", Rgb(10, 5, 5), Rgb(12, 5, 5), 100, {{0, 50, Rgb(10, 5, 5)}, {50, 100, Rgb(11, 5, 5)}}, 2},
        {"flat", Rgb(7, 8, 9), Rgb(7, 8, 9), 90, {{0, 90, Rgb(7, 8, 9)}}, 1},
        {"falling blue decides", Rgb(0, 0, 200), Rgb(3, 0, 0), 400, {{0, 2, Rgb(0, 0, 200)}}, 200},
    };
    for (const Case& c : cases) {
        const std::vector<GradientBand> bands = GradientBandsOf(c.start, c.end, c.width);
        ASSERT_EQ(bands.size(), c.count) << c.name;
        for (std::size_t index = 0; index < c.expectedFirst.size(); ++index) {
            EXPECT_EQ(bands[index], c.expectedFirst[index]) << c.name << " band " << index;
        }
        EXPECT_EQ(bands.back().right, c.width) << c.name;
    }
}

TEST(GradientBands, NarrowBarRepeatsColumnsWithoutGoingPastItsEdge) {
    const std::vector<GradientBand> bands = GradientBandsOf(Rgb(0, 0, 0), Rgb(255, 0, 0), 100);
    ASSERT_EQ(bands.size(), 255u);
    for (const GradientBand& band : bands) {
        EXPECT_LE(band.right, 100);
        EXPECT_LE(band.left, band.right);
    }
}

}  // namespace
}  // namespace simscope
