#include "Numbers.h"

#include <gtest/gtest.h>

#include <clocale>
#include <locale>
#include <vector>

using namespace platform;

TEST(Numbers, FormattingFollowsPrintfConventions) {
    EXPECT_EQ(FormatFixed(2.5, 3), "2.500");
    EXPECT_EQ(FormatFixed(-0.0004, 3), "-0.000");
    EXPECT_EQ(FormatFixed(1234.5678, 0), "1235");
    EXPECT_EQ(FormatShortest(0.1), "0.1");
    EXPECT_EQ(FormatGeneral(1234567.0, 3), "1.23e+06");
    EXPECT_EQ(FormatInt(-42), "-42");
}

namespace {

struct CommaDecimals : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
};

}  // namespace

TEST(Numbers, ACommaLocaleChangesNothing) {
    // The C++ locale always takes the comma; the C locale only where the machine has a German locale.
    const std::locale previousGlobal =
        std::locale::global(std::locale(std::locale::classic(), new CommaDecimals));
    const char* previousC = std::setlocale(LC_ALL, nullptr);
    const std::string savedC = previousC ? previousC : "C";
    std::setlocale(LC_ALL, "de_DE.UTF-8");

    EXPECT_EQ(FormatFixed(2.5, 1), "2.5");
    EXPECT_EQ(FormatGeneral(0.25, 6), "0.25");
    EXPECT_EQ(ParseDouble("2.5"), 2.5);
    EXPECT_EQ(ParseDouble("2,5"), std::nullopt);

    std::setlocale(LC_ALL, savedC.c_str());
    std::locale::global(previousGlobal);
}

TEST(Numbers, ParsingAcceptsOnlyAWholeNumber) {
    struct Case {
        const char* text;
        std::optional<double> expected;
    };
    const std::vector<Case> cases = {
        {"2.5", 2.5},       {" -3 ", -3.0},        {"+4.25", 4.25},         {"1e3", 1000.0},
        {"", std::nullopt}, {"2,5", std::nullopt}, {"12abc", std::nullopt}, {"abc", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ParseDouble(c.text), c.expected);
    }
    EXPECT_EQ(ParseInt("  17\r"), 17);
    EXPECT_EQ(ParseInt("1.5"), std::nullopt);
    EXPECT_EQ(ParseInt("99999999999999999999999"), std::nullopt);
}
