// The date panel's list at a fixed moment.
#include "DateFormatList.h"

#include <gtest/gtest.h>

namespace letterforge {
namespace {

LocalTime At(int hour) {
    LocalTime time;
    time.year = 2026;
    time.month = 3;
    time.day = 5;
    time.hour = static_cast<std::int16_t>(hour);
    time.minute = 7;
    time.second = 9;
    return time;
}

TEST(DateFormatListTest, FifteenEntriesEachNameWithItsSampleInBrackets) {
    const std::vector<std::string> entries = DateFormatEntries(At(14));
    ASSERT_EQ(entries.size(), 15u);
    EXPECT_EQ(entries[0], "default[20260305]");
    EXPECT_EQ(entries[2], "12Hour[HH:MM][02:07:09]");
    EXPECT_EQ(entries[9], "European Date Time[05/03/2026p]");
    EXPECT_EQ(entries[14], "Year Week Am/Pm[2610]");  // the name says more than format 14 writes
}

TEST(DateFormatListTest, MorningSamplesCarryA) {
    EXPECT_EQ(DateFormatEntries(At(9))[9], "European Date Time[05/03/2026a]");
}

TEST(DateFormatListTest, UnlistedFormatsHaveNoName) {
    EXPECT_EQ(DateFormatName(15), "");
    EXPECT_EQ(DateFormatName(14), "Year Week Am/Pm");
}

}  // namespace
}  // namespace letterforge
