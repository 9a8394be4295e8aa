// The binder's text rules: how a control's text becomes a field's number and how a number is shown,
// the same for every dialog and independent of the user's locale.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace dialogkit {

// The number at the start of the text, as the C library's atof finds it ("12mm" is 12); nothing when
// the text does not start with one, or when that number cannot be held as a finite double ("1e999",
// "1e-999"): a field never takes a number other than the one typed.
std::optional<double> ReadFieldNumber(std::string_view text);
// The whole number at the start of the text, as atoi finds it ("2.5" is 2); nothing when there is none.
std::optional<std::int64_t> ReadLeadingWholeNumber(std::string_view text);

// The value with the field's decimals, in fixed notation.
std::string ShowFieldNumber(double value, int decimals);

}  // namespace dialogkit
