// Date shifting with calendar arithmetic, and the sixteen date formats.
#include "DateText.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

namespace letterforge {
namespace {

using namespace std::chrono;

// The years std::chrono can name; a shift beyond them stops at the edge.
constexpr int kFirstYear = -32767;
constexpr int kLastYear = 32767;

year_month_day ClampedDay(year_month yearMonth, unsigned dayNumber) {
    const unsigned lastDay = static_cast<unsigned>((yearMonth / last).day());
    return yearMonth / day(std::min(dayNumber, lastDay));
}

year_month ClampedMonth(long long monthIndex) {
    const long long first = static_cast<long long>(kFirstYear) * 12;
    const long long last = static_cast<long long>(kLastYear) * 12 + 11;
    monthIndex = std::clamp(monthIndex, first, last);
    const long long yearNumber = monthIndex >= 0 ? monthIndex / 12 : -((-monthIndex + 11) / 12);
    const long long monthNumber = monthIndex - yearNumber * 12 + 1;
    return year(static_cast<int>(yearNumber)) / month(static_cast<unsigned>(monthNumber));
}

LocalTime WithDate(LocalTime time, year_month_day date) {
    time.year = static_cast<std::int16_t>(static_cast<int>(date.year()));
    time.month = static_cast<std::int16_t>(static_cast<unsigned>(date.month()));
    time.day = static_cast<std::int16_t>(static_cast<unsigned>(date.day()));
    time.dayOfWeek = static_cast<std::int16_t>(weekday(sys_days(date)).c_encoding());
    return time;
}

int DayOfYear(const LocalTime& time) {
    const sys_days first = year(time.year) / January / 1;
    const sys_days today = year(time.year) / month(time.month) / day(time.day);
    return static_cast<int>((today - first).count()) + 1;
}

template <typename... Values>
std::string Format(const char* format, Values... values) {
    char buffer[96];
    const int length = std::snprintf(buffer, sizeof buffer, format, values...);
    return length < 0 ? std::string() : std::string(buffer, std::min<std::size_t>(length, sizeof buffer - 1));
}

}  // namespace

bool IsLeapYear(int yearNumber) {
    return (yearNumber % 4 == 0 && yearNumber % 100 != 0) || yearNumber % 400 == 0;
}

LocalTime ShiftDate(const LocalTime& time, std::uint16_t unit, int offset) {
    const year_month start = year(time.year) / month(static_cast<unsigned>(time.month));
    const unsigned dayNumber = static_cast<unsigned>(std::max<int>(time.day, 1));
    const long long monthIndex = static_cast<long long>(time.year) * 12 + (time.month - 1);
    switch (unit) {
        case kOffsetDays: {
            const sys_days shifted = sys_days(ClampedDay(start, dayNumber)) + days(offset);
            const year_month_day date(shifted);
            return date.year() >= year(kFirstYear) && date.year() <= year(kLastYear) ? WithDate(time, date) : time;
        }
        case kOffsetMonths:
            return WithDate(time, ClampedDay(ClampedMonth(monthIndex + offset), dayNumber));
        case kOffsetYears:
            return WithDate(time, ClampedDay(ClampedMonth(monthIndex + 12LL * offset), dayNumber));
        default:
            return time;
    }
}

std::string FormatDateText(const LocalTime& time, unsigned formatType, const std::string& ampm) {
    const int hour12 = time.hour > 12 ? time.hour - 12 : time.hour;
    const int week = (DayOfYear(time) + 6) / 7;
    const int shortYear = time.year % 100;
    const char* halfDay = ampm.c_str();
    const int y = time.year, mo = time.month, d = time.day, h = time.hour, mi = time.minute, s = time.second;
    switch (formatType) {
        case 0: return Format("%d%.2d%.2d", y, mo, d);
        case 1: return Format("%.2d:%.2d", hour12, mi);
        case 2: return Format("%.2d:%.2d:%.2d", hour12, mi, s);
        case 3: return Format("%.2d:%.2d", h, mi);
        case 4: return Format("%.2d:%.2d:%.2d", h, mi, s);
        case 5: return Format("%.2d/%.2d/%d", mo, d, y);
        case 6: return Format("%d年%.2d月%.2d日", y, mo, d);
        case 7: return Format("%d年%.2d月%.2d日 %.2d时%.2d分%.2d秒", y, mo, d, h, mi, s);
        case 8: return Format("%.2d时%.2d分%.2d秒", h, mi, s);
        case 9: return Format("%.2d/%.2d/%d%s", d, mo, y, halfDay);
        case 10: return Format("%.2d.%.2d.%d", d, mo, y);
        case 11: return Format("%.2d/%.2d/%d %.2d:%.2d:%.2d", d, mo, y, h, mi, s);
        case 12: return Format("%.2d%d", week, shortYear);
        case 13: return Format("%.2d%d%s", week, shortYear, halfDay);
        case 14: return Format("%d%.2d", shortYear, week);
        case 15: return Format("%d%.2d%s", shortYear, week, halfDay);
        default: return {};
    }
}

}  // namespace letterforge
