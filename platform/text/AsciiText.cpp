#include "AsciiText.h"

#include "Numbers.h"

#include <algorithm>
#include <limits>

namespace platform {
namespace {

char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::size_t SkipDigits(std::string_view text, std::size_t at) {
    while (at < text.size() && text[at] >= '0' && text[at] <= '9') {
        ++at;
    }
    return at;
}

std::size_t SkipSign(std::string_view text, std::size_t at) {
    return (at < text.size() && (text[at] == '+' || text[at] == '-')) ? at + 1 : at;
}

}  // namespace

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}

std::string_view LeadingNumberText(std::string_view text, bool withFraction) {
    const std::size_t begin = std::min(text.find_first_not_of(" \t\r\n\v\f"), text.size());
    const std::size_t digitsBegin = SkipSign(text, begin);
    std::size_t end = SkipDigits(text, digitsBegin);
    bool hasDigits = end > digitsBegin;
    if (withFraction && end < text.size() && text[end] == '.') {
        const std::size_t fractionEnd = SkipDigits(text, end + 1);
        hasDigits = hasDigits || fractionEnd > end + 1;
        end = fractionEnd;
    }
    if (!hasDigits) {
        return {};
    }
    if (withFraction && end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
        const std::size_t exponent = SkipSign(text, end + 1);
        const std::size_t exponentEnd = SkipDigits(text, exponent);
        if (exponentEnd > exponent) {
            end = exponentEnd;
        }
    }
    return text.substr(begin, end - begin);
}

double ParseLeadingDouble(std::string_view text) {
    const std::string_view number = LeadingNumberText(text, true);
    return number.empty() ? 0.0 : ParseDouble(number).value_or(0.0);
}

std::int64_t ParseLeadingInt(std::string_view text) {
    const std::string_view digits = LeadingNumberText(text, false);
    if (digits.empty()) {
        return 0;
    }
    const bool negative = digits.front() == '-';
    return ParseInt(digits).value_or(negative ? std::numeric_limits<std::int64_t>::min()
                                              : std::numeric_limits<std::int64_t>::max());
}

}  // namespace platform
