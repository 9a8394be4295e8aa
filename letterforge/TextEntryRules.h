// What the text dialogs make of what an operator types: each edit's correction (rounding, limits) and
// the checks OK makes before a text is taken. Values typed are never refused, only corrected.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "TextParam.h"

namespace letterforge {

// The decimal edits of the text dialogs. Each rounds half up (the half added before truncation toward
// zero) to its step and then keeps to its limits.
enum class DecimalEdit {
    kHeight,        // mm, step 0.001, 0.5..10000
    kWidth,         // percent of the height, step 0.1, 1..10000
    kCharSpace,     // step 0.001, at least 0
    kLineSpace,     // step 0.001, at least 0
    kArraySpacing,  // mm, step 0.001, -10000..10000
};

// The typed text corrected for the edit. A text that does not start with a finite number counts as 0.
double CorrectDecimalEdit(DecimalEdit edit, std::string_view typed);
// How a decimal edit shows its value: three decimals, whatever its step.
std::string ShowDecimalEdit(double value);

// A serial-array count: 0 becomes 1, anything above 1000 (a negative count included) 1000.
std::uint16_t CorrectArrayCount(std::string_view typed);
// The whole number typed, held at the limits of the field it goes to.
std::int32_t ReadSerialIncrement(std::string_view typed);
std::int16_t ReadDateOffset(std::string_view typed);

// True when any byte of the text is above 126 (so DEL, code 127, counts as well as every UTF-8 byte).
bool HasNonAsciiChar(std::string_view text);
// The text without its NUL characters.
std::string StripNulChars(std::string_view text);

// The five double-byte stroke fonts, which hold every character; the name is compared ignoring case,
// as the font folder finds files.
bool IsDoubleByteShxFont(std::string_view fontName);

// Why OK keeps the text dialog open.
enum class TextProblem {
    kNoText,
    kUnsupportedCharacter,  // an SHX font other than the double-byte ones has only the ASCII characters
};
std::optional<TextProblem> CheckTextForOk(const CTextParam& params);

// The variable-text kind the dialog shows and stores: serial number for 1, a date for anything else.
std::uint16_t DialogVarKind(std::uint16_t varKind);

}  // namespace letterforge
