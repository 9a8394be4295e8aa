// Serial numbers: counting over alphabets, skip rules, reset and the shown text.
#include "SerialNumber.h"

#include <gtest/gtest.h>

#include "Letterforge.h"

namespace letterforge {
namespace {

TEST(SnAdd, CountsEachCharacterInItsAlphabetAndKeepsTheLength) {
    struct Case {
        const char* serial;
        std::int64_t amount;
        const char* expected;
    };
    const Case cases[] = {
        {"A-99", 1, "B-00"},   {"az9", 1, "ba0"},    {"ZZ9", 1, "AA0"},   {"z", 1, "a"},
        {"0000", 12345, "2345"}, {"0009", 0, "0009"}, {"B-00", -1, "A-99"}, {"ba0", -1, "az9"},
        {"AA0", -1, "ZZ9"},    {"0100", -101, "9999"}, {"a5", -27, "x8"},   {"--", 5, "--"},
        {"0000", std::int64_t{1} << 40, "7776"},
        {"9", INT64_MAX, "6"}, {"0", INT64_MIN, "2"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SnAdd(c.serial, c.amount), c.expected) << c.serial << " + " << c.amount;
    }
}

TEST(SnApplySkipRule, RulesAdvanceOnlyTheSerialsTheyMatch) {
    struct Case {
        const char* serial;
        const char* rule;
        const char* expected;
    };
    const Case cases[] = {
        {"4123", "4*", "5000"},  {"1413", "*4*", "1500"}, {"4123", "*4*", "4123"}, {"1234", "*4*", "1234"},
        {"1234", "*4", "1235"},  {"4124", "*4", "4124"},  {"0013", "0013", "0014"}, {"0013", "0012", "0013"},
        {"a4Zq", "a4*", "a5Aa"}, {"1234", "1*4", "1234"}, {"1234", "*", "1234"},    {"12", "123*", "12"},
        {"4", "*4", "5"},        {"", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SnApplySkipRule(c.serial, c.rule), c.expected) << c.serial << " rule " << c.rule;
    }
}

TEST(SnAlphabetFirst, GivesTheFirstCharacterOfTheAlphabet) {
    EXPECT_EQ(SnAlphabetFirst('q'), 'a');
    EXPECT_EQ(SnAlphabetFirst('Q'), 'A');
    EXPECT_EQ(SnAlphabetFirst('7'), '0');
    EXPECT_EQ(SnAlphabetFirst('-'), '-');
}

std::vector<std::string> Shown(CTextParam& params, int calls, short advance = 1) {
    std::vector<std::string> texts;
    for (int i = 0; i < calls; ++i) {
        EXPECT_EQ(_text_getsn(&params, advance), 0);
        texts.push_back(params.text);
    }
    return texts;
}

TEST(SerialText, ResetReturnsToTheStartAfterTheResetValue) {
    CTextParam params;
    params.snResetOn = 1;
    params.snResetValue = "0003";
    params.snPrefix = "N";
    params.snSuffix = "/";
    EXPECT_EQ(Shown(params, 5), (std::vector<std::string>{"N0001/", "N0002/", "N0003/", "N0000/", "N0001/"}));
    params.snCurrent = "0003";
    EXPECT_EQ(Shown(params, 1, 0), std::vector<std::string>{"N0000/"});
}

TEST(SerialText, SkipRulesApplyInOrderAfterTheIncrement) {
    CTextParam params;
    params.snCurrent = "0012";
    params.skipRulesOn = 1;
    params.skipRules[0] = "0013";
    params.skipRules[3] = "*4";
    EXPECT_EQ(Shown(params, 2), (std::vector<std::string>{"0015", "0016"}));
    params.skipRulesOn = 0;
    params.snCurrent = "0012";
    EXPECT_EQ(Shown(params, 1), std::vector<std::string>{"0013"});
}

TEST(SerialText, LeadingZerosDroppedFromTheTextOnlyWhenNotKept) {
    CTextParam params;
    params.snKeepZeros = 0;
    params.snCurrent = "00012";
    EXPECT_EQ(Shown(params, 1, 0), std::vector<std::string>{"12"});
    EXPECT_EQ(params.snCurrent, "00012");
    params.snCurrent = "0000";
    EXPECT_EQ(Shown(params, 1, 0), std::vector<std::string>{"0"});
}

TEST(SerialText, NegativeIncrementCountsDownWithBorrow) {
    CTextParam params;
    params.snCurrent = "B-01";
    params.snIncrement = -1;
    EXPECT_EQ(Shown(params, 3), (std::vector<std::string>{"B-00", "A-99", "A-98"}));
}

}  // namespace
}  // namespace letterforge
