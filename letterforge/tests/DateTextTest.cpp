// Date texts on a fixed clock: the sixteen formats and the date offsets.
#include "DateText.h"

#include <gtest/gtest.h>

#include "Letterforge.h"

namespace letterforge {
namespace {

LocalTime At(int year, int month, int day, int hour = 14, int minute = 7, int second = 9) {
    LocalTime time;
    time.year = static_cast<std::int16_t>(year);
    time.month = static_cast<std::int16_t>(month);
    time.day = static_cast<std::int16_t>(day);
    time.hour = static_cast<std::int16_t>(hour);
    time.minute = static_cast<std::int16_t>(minute);
    time.second = static_cast<std::int16_t>(second);
    return time;
}

class DateTextTest : public ::testing::Test {
  protected:
    void TearDown() override { SetClock({}); }

    static std::string DateText(LocalTime now, std::uint16_t format, std::uint16_t unit = kOffsetDays,
                                std::int16_t offset = 0) {
        SetClock([now] { return now; });
        CTextParam params;
        params.dateFormat = format;
        params.dateOffsetUnit = unit;
        params.dateOffset = offset;
        EXPECT_EQ(_text_getdate(&params), 0);
        return params.text;
    }
};

TEST_F(DateTextTest, EverythingFormatShowsTheClock) {
    const char* const expected[] = {
        "20260305",   "02:07",      "02:07:09",       "14:07",    "14:07:09",
        "03/05/2026", "2026年03月05日", "2026年03月05日 14时07分09秒", "14时07分09秒", "05/03/2026p",
        "05.03.2026", "05/03/2026 14:07:09", "1026",  "1026p",    "2610",
        "2610p",
    };
    for (std::uint16_t format = 0; format < 16; ++format) {
        EXPECT_EQ(DateText(At(2026, 3, 5), format), expected[format]) << "format " << format;
    }
    EXPECT_EQ(DateText(At(2026, 3, 5), 16), "");
}

TEST_F(DateTextTest, TwelveHourFormatsKeepMidnightAndNoonAndMorningIsA) {
    EXPECT_EQ(DateText(At(2026, 3, 5, 0, 5, 0), 1), "00:05");
    EXPECT_EQ(DateText(At(2026, 3, 5, 12, 5, 0), 1), "12:05");
    EXPECT_EQ(DateText(At(2026, 3, 5, 11, 5, 0), 9), "05/03/2026a");
}

TEST_F(DateTextTest, WeekFormatOnNewYearsDayHasWeekOneAndShortYear) {
    EXPECT_EQ(DateText(At(2005, 1, 1), 12), "015");
}

TEST_F(DateTextTest, OffsetsMoveTheCalendarDateAndClampTheDayToTheMonth) {
    struct Case {
        LocalTime now;
        std::uint16_t unit;
        std::int16_t offset;
        const char* expected;  // format 0
    };
    const Case cases[] = {
        {At(2024, 1, 31), kOffsetDays, 1, "20240201"},
        {At(2024, 2, 29), kOffsetDays, 1, "20240301"},
        {At(2024, 1, 31), kOffsetDays, 0, "20240131"},
        {At(2026, 12, 25), kOffsetDays, 40, "20270203"},
        {At(2024, 3, 1), kOffsetDays, -1, "20240229"},
        {At(2026, 1, 1), kOffsetDays, -365, "20250101"},
        {At(2026, 12, 5), kOffsetMonths, 12, "20271205"},
        {At(2026, 12, 5), kOffsetMonths, 13, "20280105"},
        {At(2026, 1, 31), kOffsetMonths, 1, "20260228"},
        {At(2024, 1, 31), kOffsetMonths, 1, "20240229"},
        {At(2026, 3, 31), kOffsetMonths, -1, "20260228"},
        {At(2026, 2, 5), kOffsetMonths, -2, "20251205"},
        {At(2024, 2, 29), kOffsetYears, 1, "20250228"},
        {At(2026, 3, 5), kOffsetYears, -26, "20000305"},
        {At(2026, 3, 5), 7, 30, "20260305"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DateText(c.now, 0, c.unit, c.offset), c.expected)
            << c.now.year << "-" << c.now.month << "-" << c.now.day << " unit " << c.unit << " offset " << c.offset;
    }
}

TEST_F(DateTextTest, LargestOffsetsStayWithinTheCalendar) {
    for (std::uint16_t unit : {kOffsetDays, kOffsetMonths, kOffsetYears}) {
        for (std::int16_t offset : {std::int16_t{32767}, std::int16_t{-32768}}) {
            EXPECT_FALSE(DateText(At(2026, 3, 5), 0, unit, offset).empty());
        }
    }
}

TEST(LeapYear, FollowsTheGregorianRule) {
    EXPECT_TRUE(IsLeapYear(2024));
    EXPECT_FALSE(IsLeapYear(1900));
    EXPECT_TRUE(IsLeapYear(2000));
    EXPECT_FALSE(IsLeapYear(2026));
}

}  // namespace
}  // namespace letterforge
