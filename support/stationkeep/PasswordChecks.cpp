#include "PasswordChecks.h"

#include <algorithm>
#include <cctype>

namespace stationkeep {

namespace {

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) {
        return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
    });
}

}  // namespace

bool IsVendorAccessCode(std::string_view entry) {
    return !entry.empty() && EqualIgnoringCase(entry, kVendorAccessCode);
}

bool IsVendorRightEntry(std::string_view entry, std::string_view controllerPassword) {
    return !entry.empty() && (EqualIgnoringCase(entry, kVendorRight) || EqualIgnoringCase(entry, controllerPassword));
}

}  // namespace stationkeep
