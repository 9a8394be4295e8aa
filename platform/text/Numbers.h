// Number formatting and parsing for text files and labels, independent of the user's locale:
// a German or French desktop still reads and writes "2.5".
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Fixed notation with the given number of decimals, as "%.*f" in the "C" locale.
std::string FormatFixed(double value, int decimals);
// The shortest text that reads back as the same double.
std::string FormatShortest(double value);
// Like "%.*g" in the "C" locale.
std::string FormatGeneral(double value, int significantDigits);
std::string FormatInt(std::int64_t value);

// The whole text, less surrounding blanks, must be the number; otherwise nothing.
std::optional<double> ParseDouble(std::string_view text);
std::optional<std::int64_t> ParseInt(std::string_view text);

}  // namespace platform
