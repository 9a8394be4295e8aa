// The two vendor password checks: the fixed access code of the vendor parameters, and the vendor right
// (a fixed string or the password stored in the controller). An empty entry never matches, whatever
// the controller holds.
#pragma once

#include <string_view>

namespace stationkeep {

inline constexpr std::string_view kVendorAccessCode = "QX4270";
inline constexpr std::string_view kVendorRight = "KOLVEN";

// The entry upper-cased equals the access code exactly: a blank around it is a different entry.
bool IsVendorAccessCode(std::string_view entry);
// The entry equals the vendor-right string or the controller's password, without regard to case.
bool IsVendorRightEntry(std::string_view entry, std::string_view controllerPassword);

}  // namespace stationkeep
