// Label texts and the saturated conversions behind them.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "LabelTexts.h"

namespace simscope {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(LabelTexts, TimeTextPadsMinutesSecondsAndMilliseconds) {
    struct Case {
        std::int64_t ms;
        const char* text;
    };
    for (const Case c : {Case{0, "0:00:00.000"}, Case{559, "0:00:00.559"}, Case{3723004, "1:02:03.004"},
                         Case{3600000 - 1, "0:59:59.999"}, Case{10 * 60000 + 10 * 1000 + 10, "0:10:10.010"},
                         // Past 2^31 ms (about 596 hours) the hours go on counting.
                         Case{std::int64_t{1} << 32, "1193:02:47.296"}}) {
        EXPECT_EQ(FormatJobTime(c.ms), c.text) << c.ms;
    }
}

TEST(LabelTexts, MillisecondsSaturateAndRefuseNaN) {
    EXPECT_EQ(RoundedMilliseconds(0.5594), 559);
    EXPECT_EQ(RoundedMilliseconds(0.0005), 1);
    EXPECT_EQ(RoundedMilliseconds(3.0e6), 3000000000);
    EXPECT_EQ(RoundedMilliseconds(-1.0), 0);
    EXPECT_EQ(RoundedMilliseconds(kNaN), 0);
    EXPECT_EQ(RoundedMilliseconds(kInf), std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(RoundedMilliseconds(1e300), std::numeric_limits<std::int64_t>::max());
}

TEST(LabelTexts, ProgressIsZeroWithoutTotalAndHeldToItsRange) {
    struct Case {
        double elapsed;
        double total;
        int position;
    };
    for (const Case c : {Case{0.0, 0.0, 0}, Case{1.0, 0.0, 0}, Case{1.0, -2.0, 0}, Case{1.0, kNaN, 0},
                         Case{kNaN, 5.0, 0}, Case{2.5, 5.0, 5000}, Case{5.0, 5.0, 10000},
                         Case{5.0000001, 5.0, 10000}, Case{1e30, 1.0, 10000}, Case{1.0, 3.0, 3333}}) {
        EXPECT_EQ(ProgressPosition(c.elapsed, c.total), c.position) << c.elapsed << " / " << c.total;
    }
}

TEST(LabelTexts, RatioFollowsTheSliderInTwoStraightPieces) {
    struct Case {
        double position;
        double ratio;
    };
    for (const Case c : {Case{0, 0.1}, Case{49, 0.982}, Case{50, 1.0}, Case{100, 10.0}, Case{75, 5.5}}) {
        EXPECT_NEAR(SimulationRatio(c.position), c.ratio, 1e-12) << c.position;
    }
}

TEST(LabelTexts, ValueFormats) {
    EXPECT_EQ(FormatPower(0.4567), "45.7%");
    EXPECT_EQ(FormatPower(kNaN), "0.0%");
    EXPECT_EQ(FormatSpeed(12.34), "12.3mm/s");
    EXPECT_EQ(FormatMmPair(-1.25, 3.0), "-1.2mm,3.0mm");
    EXPECT_EQ(FormatRatio(0.982), "1.0");
}

}  // namespace
}  // namespace simscope
