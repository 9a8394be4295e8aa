// The date formats as the date panel lists them: each name with a sample of the format at one moment.
#pragma once

#include <string>
#include <vector>

#include "Letterforge.h"

namespace letterforge {

// The formats an operator can pick; format 15 is kept for stored texts but not offered.
inline constexpr unsigned kListedDateFormats = 15;

// The list name of format 0..14; empty beyond.
std::string DateFormatName(unsigned formatType);
// "name[sample]" for every listed format, the samples written at `now` ("a" before noon, else "p").
std::vector<std::string> DateFormatEntries(const LocalTime& now);

}  // namespace letterforge
