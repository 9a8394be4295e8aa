// Where the ruler ticks fall, how long they are and what the long ones read.
#include <gtest/gtest.h>

#include <cmath>

#include "RulerTicks.h"

namespace {

using K = RulerTickKind;

TEST(RulerTicksTest, TicksFallOnMultiplesOfTheSpacingWithLongOnesEveryTenth) {
    // 0.5 mm per pixel from -2 mm: the 1 mm ticks lie 2 pixels apart, 0 at pixel 4.
    const std::vector<RulerTick> ticks = LayOutRulerTicks(-2.0, 0.5, 30, 1.0);
    ASSERT_EQ(ticks.size(), 16u);  // -2 .. 13
    EXPECT_EQ(ticks[0], (RulerTick{0, K::kShort, ""}));
    EXPECT_EQ(ticks[2], (RulerTick{4, K::kLong, "0.0"}));
    EXPECT_EQ(ticks[7], (RulerTick{14, K::kMiddle, ""}));
    EXPECT_EQ(ticks[12], (RulerTick{24, K::kLong, "10.0"}));
    EXPECT_EQ(ticks[15].pixel, 30);
}

TEST(RulerTicksTest, AMirroredAxisCountsDownAlongTheScreen) {
    // The page's far edge, 1200 mm, at the ruler's start; values fall by 2 mm a pixel.
    const std::vector<RulerTick> ticks = LayOutRulerTicks(1200.0, -2.0, 100, 20.0);
    ASSERT_EQ(ticks.size(), 11u);  // 1000 .. 1200
    EXPECT_EQ(ticks.front(), (RulerTick{100, K::kLong, "1000.0"}));
    EXPECT_EQ(ticks.back(), (RulerTick{0, K::kLong, "1200.0"}));
    EXPECT_EQ(ticks[5], (RulerTick{50, K::kMiddle, ""}));
}

TEST(RulerTicksTest, LabelsOfFineSpacingsKeepTheirShortDecimals) {
    // 30 x 0.02 is 0.6000000000000001 in doubles, which would read "0.600".
    const std::vector<RulerTick> ticks = LayOutRulerTicks(0.55, 0.001, 100, 0.02);
    std::vector<std::string> labels;
    for (const RulerTick& tick : ticks) {
        if (tick.kind == K::kLong) {
            labels.push_back(tick.label);
        }
    }
    EXPECT_EQ(labels, (std::vector<std::string>{"0.6"}));

    const std::vector<RulerTick> fine = LayOutRulerTicks(0.0, 0.0001, 120, 0.0005);
    ASSERT_GE(fine.size(), 21u);
    EXPECT_EQ(fine[10].label, "0.005");
    EXPECT_EQ(fine[20].label, "0.01");
}

TEST(RulerTicksTest, UnusableMappingsGiveNoTicks) {
    struct Case {
        const char* name;
        double start;
        double mmPerPixel;
        int length;
        double step;
    };
    const Case cases[] = {
        {"no spacing", 0, 1, 100, 0},
        {"negative spacing", 0, 1, 100, -1},
        {"no scale", 0, 0, 100, 1},
        {"no length", 0, 1, 0, 1},
        {"spacing not a number", 0, 1, 100, std::nan("")},
        {"origin infinite", HUGE_VAL, 1, 100, 1},
        {"more ticks than pixels", 0, 1000, 100, 0.001},
        {"beyond countable multiples", 1e300, 1, 100, 1},
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(LayOutRulerTicks(c.start, c.mmPerPixel, c.length, c.step).empty()) << c.name;
    }
}

TEST(RulerTicksTest, LongTicksCrossTheRulerAndOthersHangFromTheInnerEdge) {
    EXPECT_EQ(RulerTickReach(K::kLong, 16), 16);
    EXPECT_EQ(RulerTickReach(K::kMiddle, 16), 8);
    EXPECT_EQ(RulerTickReach(K::kShort, 16), 4);
}

}  // namespace
