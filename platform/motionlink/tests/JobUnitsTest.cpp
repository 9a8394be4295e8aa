// Unit conversions of the job writer: rounding, ranges, and refusal of values the stream cannot carry.
#include "JobUnits.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

TEST(JobUnits, MillimetresRoundHalfAwayFromZero) {
    EXPECT_EQ(motionlink::MillimetresToMicrometres(0.0004), 0);
    EXPECT_EQ(motionlink::MillimetresToMicrometres(0.0005), 1);
    EXPECT_EQ(motionlink::MillimetresToMicrometres(-0.0005), -1);
    EXPECT_EQ(motionlink::MillimetresToMicrometres(-12.3456), -12346);
    EXPECT_EQ(motionlink::MillimetresToMicrometres(2147483.647), std::numeric_limits<std::int32_t>::max());
}

TEST(JobUnits, ValuesOutsideTheStreamAreRefused) {
    EXPECT_FALSE(motionlink::MillimetresToMicrometres(2147483.648));
    EXPECT_FALSE(motionlink::MillimetresToMicrometres(kNaN));
    EXPECT_FALSE(motionlink::MillimetresToMicrometres(-kInfinity));
    EXPECT_FALSE(motionlink::SpeedToMicrometresPerSecond(-0.001));
    EXPECT_FALSE(motionlink::SecondsToMicroseconds(-1.0));
    EXPECT_FALSE(motionlink::SecondsToMicroseconds(kNaN));
    EXPECT_FALSE(motionlink::PercentToPowerLevel(100.001));
    EXPECT_FALSE(motionlink::PercentToPowerLevel(-0.001));
    EXPECT_FALSE(motionlink::PercentToPowerLevel(kNaN));
    EXPECT_FALSE(motionlink::FractionToPowerLevel(1.01));
}

TEST(JobUnits, SpeedsDelaysAndPowers) {
    EXPECT_EQ(motionlink::SpeedToMicrometresPerSecond(0.01), 10);
    EXPECT_EQ(motionlink::SecondsToMicroseconds(0.25), 250000);
    EXPECT_EQ(motionlink::MillisecondsToMicroseconds(-1.5), -1500);
    EXPECT_EQ(motionlink::PercentToPowerLevel(100.0), 16383);
    EXPECT_EQ(motionlink::PercentToPowerLevel(50.0), 8192);
    EXPECT_EQ(motionlink::PercentToPowerLevel(0.0), 0);
    EXPECT_EQ(motionlink::FractionToPowerLevel(0.001), 16);
    EXPECT_EQ(motionlink::FractionToPowerLevel(1.0), 16383);
}

}  // namespace
