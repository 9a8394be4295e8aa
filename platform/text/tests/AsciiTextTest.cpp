#include "AsciiText.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

using namespace platform;

TEST(AsciiText, ComparesIgnoringAsciiCaseOnly) {
    EXPECT_TRUE(EqualIgnoringCase("ZintFILEVER2.0", "zintfilever2.0"));
    EXPECT_FALSE(EqualIgnoringCase("Zint", "Zin"));
    EXPECT_FALSE(EqualIgnoringCase("a[", "A{"));
}

TEST(AsciiText, LeadingNumbersReadAsTheCLibraryDoes) {
    struct Case {
        const char* text;
        double asDouble;
        std::int64_t asInt;
    };
    const std::vector<Case> cases = {
        {"12.5mm", 12.5, 12}, {"  -3", -3.0, -3}, {"+.5", 0.5, 0}, {"1e3x", 1000.0, 1}, {"2e", 2.0, 2},
        {"abc", 0.0, 0},      {"", 0.0, 0},       {"-", 0.0, 0},   {".", 0.0, 0},       {"7,5", 7.0, 7},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ParseLeadingDouble(c.text), c.asDouble);
        EXPECT_EQ(ParseLeadingInt(c.text), c.asInt);
    }
    EXPECT_EQ(ParseLeadingInt("99999999999999999999"), std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(ParseLeadingInt("-99999999999999999999"), std::numeric_limits<std::int64_t>::min());
}
