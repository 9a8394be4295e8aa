// Date texts: the local time shifted by an offset and written in one of sixteen formats.
#pragma once

#include <string>

#include "Letterforge.h"

namespace letterforge {

// Values of CTextParam::dateOffsetUnit.
enum DateOffsetUnit : std::uint16_t { kOffsetDays = 0, kOffsetMonths = 1, kOffsetYears = 2 };

bool IsLeapYear(int year);

// The time moved by offset days, months or years; a day the new month lacks becomes its last day. Any
// other unit leaves the time as it is. The time of day is kept.
LocalTime ShiftDate(const LocalTime& time, std::uint16_t unit, int offset);

// The time in format 0..15 (empty for any other); ampm is "a" or "p" for the formats that show it.
std::string FormatDateText(const LocalTime& time, unsigned formatType, const std::string& ampm);

}  // namespace letterforge
