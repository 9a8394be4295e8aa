// What a form tells its window: the first problem of what was entered (the control to focus and the
// language file's message), and which controls are enabled.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "FieldInfo.h"

namespace dialogkit {

// A text of the language files.
struct TextKey {
    std::string_view section;
    std::string_view key;
    bool operator==(const TextKey&) const = default;
};

// The kit's own messages.
inline constexpr TextKey kNoNumberMessage{"DialogKit", "1"};    // "Please enter a number."
inline constexpr TextKey kOutOfRangeMessage{"DialogKit", "2"};  // "Please enter a value within:"

struct FormProblem {
    int controlId = 0;  // the control that gets the focus
    TextKey message;
    std::string detail;  // shown after the message; for a range, its bounds and unit
    bool operator==(const FormProblem&) const = default;
};

// Nothing when the field can take the number; otherwise the problem: no number at all, or a number
// outside the field's range (a fraction in a whole-number field counts as outside).
std::optional<FormProblem> CheckFieldNumber(const FieldInfo& field, std::optional<double> number);
// The range as a reader sees it, in numbers and signs only so that it needs no translation:
// "1.000 - 100000.000 mm"; with a bound beyond any real entry, "≥ 0.000 mm" or "≤ 5.000 mm".
std::string ShowRange(const FieldInfo& field);

struct ControlState {
    int controlId = 0;
    bool enabled = true;
    bool operator==(const ControlState&) const = default;
};
using FormEnabling = std::vector<ControlState>;

}  // namespace dialogkit
