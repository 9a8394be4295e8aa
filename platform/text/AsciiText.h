// Text comparisons and the lenient number reading of the C library's conversions, for keys, markers and
// values in the program's text and parameter files. ASCII only: keys and markers are ASCII.
#pragma once

#include <cstdint>
#include <string_view>

namespace platform {

bool EqualIgnoringCase(std::string_view a, std::string_view b);

// The decimal number at the start of the text after blanks, as atof and atoi find it: sign and digits,
// and with fraction also a fractional part and an exponent; empty when the text does not start with one.
std::string_view LeadingNumberText(std::string_view text, bool withFraction);

// atof: the leading number, 0.0 when there is none.
double ParseLeadingDouble(std::string_view text);
// atoi: the leading integer, 0 when there is none, the nearest limit when it is out of range.
std::int64_t ParseLeadingInt(std::string_view text);

}  // namespace platform
