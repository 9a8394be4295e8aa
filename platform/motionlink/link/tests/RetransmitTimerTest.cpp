// The wait before a resend follows the measured round trip, doubles after a timeout, and stays between
// the carrier's floor and the ceiling.
#include "RetransmitTimer.h"

#include <gtest/gtest.h>

namespace motionlink::link {
namespace {

using std::chrono::microseconds;
using std::chrono::milliseconds;

TEST(RetransmitTimerTest, WaitFollowsTheMeasuredRoundTrip) {
    RetransmitTimer timer(milliseconds(100), milliseconds(250));
    EXPECT_EQ(timer.Timeout(milliseconds(3)), milliseconds(100));  // nothing measured yet
    for (int answer = 0; answer < 50; ++answer) {
        timer.Measured(milliseconds(10));
    }
    // Steady answers: the deviation has died away and the wait is the round trip.
    EXPECT_GE(timer.Timeout(milliseconds(3)), milliseconds(10));
    EXPECT_LT(timer.Timeout(milliseconds(3)), milliseconds(11));
    timer.Measured(milliseconds(30));  // one late answer widens the margin at once
    EXPECT_GT(timer.Timeout(milliseconds(3)), milliseconds(30));
}

// What a carrier's floor may be capped by: nothing before the first answer, then the round trip with its
// margin, undoubled by timeouts.
TEST(RetransmitTimerTest, MeasuredWaitIsTheRoundTripWithItsMargin) {
    RetransmitTimer timer(milliseconds(100), milliseconds(250));
    EXPECT_FALSE(timer.MeasuredWait().has_value());
    timer.Measured(milliseconds(8));
    EXPECT_EQ(timer.MeasuredWait(), milliseconds(8) + milliseconds(4) * 4);
    timer.TimedOut();
    EXPECT_EQ(timer.MeasuredWait(), milliseconds(24));
}

TEST(RetransmitTimerTest, FloorAndCeilingBoundTheWait) {
    RetransmitTimer loopback(milliseconds(100), milliseconds(250));
    loopback.Measured(microseconds(40));
    EXPECT_EQ(loopback.Timeout(milliseconds(3)), milliseconds(3));
    // A slow line's floor (its line time) wins over the ceiling.
    EXPECT_EQ(loopback.Timeout(milliseconds(900)), milliseconds(900));

    RetransmitTimer slow(milliseconds(100), milliseconds(250));
    slow.Measured(milliseconds(400));
    EXPECT_EQ(slow.Timeout(milliseconds(3)), milliseconds(250));
}

TEST(RetransmitTimerTest, TimeoutsDoubleTheWaitUntilTheNextMeasurement) {
    RetransmitTimer timer(milliseconds(100), milliseconds(250));
    for (int answer = 0; answer < 50; ++answer) {
        timer.Measured(milliseconds(20));
    }
    const auto settled = timer.Timeout(milliseconds(3));
    timer.TimedOut();
    EXPECT_EQ(timer.Timeout(milliseconds(3)), settled * 2);
    timer.TimedOut();
    EXPECT_EQ(timer.Timeout(milliseconds(3)), settled * 4);
    for (int lost = 0; lost < 10; ++lost) {
        timer.TimedOut();
    }
    EXPECT_EQ(timer.Timeout(milliseconds(3)), milliseconds(250));
    timer.Measured(milliseconds(20));
    EXPECT_LT(timer.Timeout(milliseconds(3)), settled * 2);
}

}  // namespace
}  // namespace motionlink::link
