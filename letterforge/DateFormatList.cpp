// The date panel's list entries.
#include "DateFormatList.h"

#include <array>

#include "DateText.h"

namespace letterforge {
namespace {

// Several names say less than their sample shows (11 is a date with time, 12 to 14 are week formats);
// the sample beside each name tells the operator what is written.
constexpr std::array<const char*, kListedDateFormats> kDateFormatNames = {
    "default",       "12Hour[HH:MM]", "12Hour[HH:MM]",     "24Hour[HH:MM]", "24Hour[HH:MM]",
    "American Date", "Chinese Date",  "Chinese Date Time", "Chinese Time",  "European Date Time",
    "European Date", "Week Year",     "Week Year Am/Pm",   "Year Week",     "Year Week Am/Pm",
};

}  // namespace

std::string DateFormatName(unsigned formatType) {
    return formatType < kDateFormatNames.size() ? kDateFormatNames[formatType] : std::string();
}

std::vector<std::string> DateFormatEntries(const LocalTime& now) {
    const std::string ampm = now.hour < 12 ? "a" : "p";
    std::vector<std::string> entries;
    entries.reserve(kListedDateFormats);
    for (unsigned format = 0; format < kListedDateFormats; ++format) {
        entries.push_back(DateFormatName(format) + "[" + FormatDateText(now, format, ampm) + "]");
    }
    return entries;
}

}  // namespace letterforge
