#include "Numbers.h"

#include <charconv>
#include <cmath>

namespace platform {
namespace {

std::string_view TrimBlanks(std::string_view text) {
    const auto isBlank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

template <typename... Options>
std::string ToChars(double value, Options... options) {
    char buffer[400];  // enough for any double in fixed notation with the decimals callers use
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value, options...);
    if (result.ec != std::errc()) {
        return "0";
    }
    return std::string(buffer, result.ptr);
}

}  // namespace

std::string FormatFixed(double value, int decimals) {
    return ToChars(value, std::chars_format::fixed, decimals < 0 ? 0 : decimals);
}

std::string FormatShortest(double value) {
    return ToChars(value);
}

std::string FormatGeneral(double value, int significantDigits) {
    return ToChars(value, std::chars_format::general, significantDigits < 1 ? 1 : significantDigits);
}

std::string FormatInt(std::int64_t value) {
    char buffer[24];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::optional<double> ParseDouble(std::string_view text) {
    text = TrimBlanks(text);
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
    }
    double value = 0;
    auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || result.ec != std::errc() || result.ptr != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

std::optional<std::int64_t> ParseInt(std::string_view text) {
    text = TrimBlanks(text);
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
    }
    std::int64_t value = 0;
    auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || result.ec != std::errc() || result.ptr != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

}  // namespace platform
