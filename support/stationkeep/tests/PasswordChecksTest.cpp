// The checks of both prompts: case, blanks, and entries that must never match.
#include "PasswordChecks.h"

#include <gtest/gtest.h>

namespace stationkeep {
namespace {

TEST(PasswordChecksTest, AccessCodeIsUpperCasedThenComparedExactly) {
    struct Case {
        const char* entry;
        bool matches;
    };
    const Case cases[] = {
        {"QX4270", true}, {"qx4270", true}, {"Qx4270", true}, {"qx4270 ", false},
        {" QX4270", false}, {"QX427", false}, {"QX42700", false}, {"", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsVendorAccessCode(c.entry), c.matches) << '"' << c.entry << '"';
    }
}

TEST(PasswordChecksTest, VendorRightTakesTheFixedStringOrTheControllersPasswordInAnyCase) {
    struct Case {
        const char* entry;
        const char* controllerPassword;
        bool matches;
    };
    const Case cases[] = {
        {"KOLVEN", "EMU123", true}, {"kolven", "EMU123", true}, {"emu123", "EMU123", true},
        {"EMU12", "EMU123", false}, {"kolven ", "EMU123", false},
        {"", "", false},            // a controller without a password lets nobody in with an empty entry
        {"", "EMU123", false},      {"AB", "AB", true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsVendorRightEntry(c.entry, c.controllerPassword), c.matches)
            << '"' << c.entry << "\" against \"" << c.controllerPassword << '"';
    }
}

}  // namespace
}  // namespace stationkeep
