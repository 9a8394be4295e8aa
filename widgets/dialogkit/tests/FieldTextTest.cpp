// The binder's text rules: what an edit's text gives a field, and how a value is shown.
#include <gtest/gtest.h>

#include "FieldText.h"

namespace dialogkit {
namespace {

struct ReadCase {
    const char* typed;
    std::optional<double> number;
};

TEST(FieldTextTest, AnEditGivesItsLeadingFiniteNumberOrNone) {
    const ReadCase cases[] = {
        {"12.5", 12.5},           {"  -3", -3.0},
        {"12mm", 12.0},  // as atof reads it
        {"1e3", 1000.0},          {"0", 0.0},
        {"", std::nullopt},       {"abc", std::nullopt},
        {"nan", std::nullopt},    {"inf", std::nullopt},
        {"-", std::nullopt},      {"1e999", std::nullopt},  // too large to hold: not read as 0 or as infinity
        {"-1e999", std::nullopt},
    };
    for (const ReadCase& c : cases) {
        EXPECT_EQ(ReadFieldNumber(c.typed), c.number) << '"' << c.typed << '"';
    }
}

TEST(FieldTextTest, AWholeNumberIsReadAsAtoiReadsIt) {
    EXPECT_EQ(ReadLeadingWholeNumber("2.5"), 2);
    EXPECT_EQ(ReadLeadingWholeNumber(" -7x"), -7);
    EXPECT_EQ(ReadLeadingWholeNumber("x7"), std::nullopt);
    EXPECT_EQ(ReadLeadingWholeNumber(""), std::nullopt);
}

TEST(FieldTextTest, AValueIsShownWithTheFieldsDecimals) {
    EXPECT_EQ(ShowFieldNumber(1.23456, 3), "1.235");
    EXPECT_EQ(ShowFieldNumber(100.0, 0), "100");
    EXPECT_EQ(ShowFieldNumber(-0.00004, 4), "-0.0000");
}

}  // namespace
}  // namespace dialogkit
