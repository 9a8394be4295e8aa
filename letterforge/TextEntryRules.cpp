// The corrections of the text dialogs' edits and the checks of their OK.
#include "TextEntryRules.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "AsciiText.h"
#include "Numbers.h"

namespace letterforge {
namespace {

struct DecimalRule {
    double stepsPerUnit;
    double lowest;
    double highest;
};

constexpr double kUnlimited = std::numeric_limits<double>::max();

DecimalRule RuleOf(DecimalEdit edit) {
    switch (edit) {
        case DecimalEdit::kHeight:
            return {1000.0, 0.5, 10000.0};
        case DecimalEdit::kWidth:
            return {10.0, 1.0, 10000.0};
        case DecimalEdit::kCharSpace:
        case DecimalEdit::kLineSpace:
            return {1000.0, 0.0, kUnlimited};
        case DecimalEdit::kArraySpacing:
            return {1000.0, -10000.0, 10000.0};
    }
    return {1000.0, 0.0, kUnlimited};
}

double TypedNumber(std::string_view typed) {
    const double value = platform::ParseLeadingDouble(typed);
    return std::isfinite(value) ? value : 0.0;
}

template <typename Field>
Field Saturated(std::int64_t value) {
    return static_cast<Field>(std::clamp<std::int64_t>(value, std::numeric_limits<Field>::min(),
                                                       std::numeric_limits<Field>::max()));
}

constexpr std::array<std::string_view, 5> kDoubleByteShxFonts = {"FS.SHX", "HT.SHX", "GBCBIG.SHX",
                                                                 "HZTXT.SHX", "KHZ.SHX"};

}  // namespace

double CorrectDecimalEdit(DecimalEdit edit, std::string_view typed) {
    const DecimalRule rule = RuleOf(edit);
    // Half up means the half is added and the result truncated toward zero, so -1.0005 gives -1.000.
    const double rounded = std::trunc(TypedNumber(typed) * rule.stepsPerUnit + 0.5) / rule.stepsPerUnit;
    return std::clamp(rounded, rule.lowest, rule.highest);
}

std::string ShowDecimalEdit(double value) {
    return platform::FormatFixed(value, 3);
}

std::uint16_t CorrectArrayCount(std::string_view typed) {
    constexpr std::int64_t kMostCells = 1000;
    const std::int64_t count = platform::ParseLeadingInt(typed);
    if (count == 0) {
        return 1;
    }
    return static_cast<std::uint16_t>(count < 0 || count > kMostCells ? kMostCells : count);
}

std::int32_t ReadSerialIncrement(std::string_view typed) {
    return Saturated<std::int32_t>(platform::ParseLeadingInt(typed));
}

std::int16_t ReadDateOffset(std::string_view typed) {
    return Saturated<std::int16_t>(platform::ParseLeadingInt(typed));
}

bool HasNonAsciiChar(std::string_view text) {
    return std::any_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) > 126; });
}

std::string StripNulChars(std::string_view text) {
    std::string stripped;
    stripped.reserve(text.size());
    std::copy_if(text.begin(), text.end(), std::back_inserter(stripped), [](char c) { return c != '\0'; });
    return stripped;
}

bool IsDoubleByteShxFont(std::string_view fontName) {
    return std::any_of(kDoubleByteShxFonts.begin(), kDoubleByteShxFonts.end(),
                       [&](std::string_view name) { return platform::EqualIgnoringCase(name, fontName); });
}

std::optional<TextProblem> CheckTextForOk(const CTextParam& params) {
    if (params.text.empty()) {
        return TextProblem::kNoText;
    }
    if (params.fontKind == CTextParam::kShxFont && !IsDoubleByteShxFont(params.shxFont) &&
        HasNonAsciiChar(params.text)) {
        return TextProblem::kUnsupportedCharacter;
    }
    return std::nullopt;
}

std::uint16_t DialogVarKind(std::uint16_t varKind) {
    return varKind == 1 ? 1 : 0;
}

}  // namespace letterforge
