#include "FieldText.h"

#include <cmath>

#include "AsciiText.h"
#include "Numbers.h"

namespace dialogkit {

std::optional<double> ReadFieldNumber(std::string_view text) {
    const std::string_view number = platform::LeadingNumberText(text, true);
    // The parse of the leading number alone tells a number too large to hold from a real zero, which
    // the lenient atof reading cannot.
    if (number.empty() || !platform::ParseDouble(number)) {
        return std::nullopt;
    }
    const double value = platform::ParseLeadingDouble(text);
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::optional<std::int64_t> ReadLeadingWholeNumber(std::string_view text) {
    if (platform::LeadingNumberText(text, false).empty()) {
        return std::nullopt;
    }
    return platform::ParseLeadingInt(text);
}

std::string ShowFieldNumber(double value, int decimals) {
    return platform::FormatFixed(value, decimals);
}

}  // namespace dialogkit
