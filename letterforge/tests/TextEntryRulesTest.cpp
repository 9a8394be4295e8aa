// The text dialogs' edit corrections and OK checks.
#include "TextEntryRules.h"

#include <gtest/gtest.h>

#include <string>

namespace letterforge {
namespace {

struct DecimalCase {
    DecimalEdit edit;
    const char* typed;
    const char* shown;
};

TEST(TextEntryRulesTest, DecimalEditsRoundHalfUpAndKeepToTheirLimits) {
    const DecimalCase cases[] = {
        {DecimalEdit::kHeight, "0.2", "0.500"},
        {DecimalEdit::kHeight, "12.34567", "12.346"},
        {DecimalEdit::kHeight, "12.3445", "12.345"},
        {DecimalEdit::kHeight, "10001", "10000.000"},
        {DecimalEdit::kHeight, "x", "0.500"},
        {DecimalEdit::kHeight, "nan", "0.500"},
        {DecimalEdit::kHeight, "1e999", "0.500"},
        {DecimalEdit::kHeight, "-5", "0.500"},
        {DecimalEdit::kHeight, "20mm", "20.000"},
        {DecimalEdit::kWidth, "0.5", "1.000"},
        {DecimalEdit::kWidth, "123.46", "123.500"},
        {DecimalEdit::kWidth, "123.44", "123.400"},
        {DecimalEdit::kWidth, "x", "1.000"},
        {DecimalEdit::kCharSpace, "-1", "0.000"},
        {DecimalEdit::kCharSpace, "2.0004", "2.000"},
        {DecimalEdit::kLineSpace, "123456.7895", "123456.790"},
        {DecimalEdit::kArraySpacing, "-20000", "-10000.000"},
        {DecimalEdit::kArraySpacing, "-1.0005", "-1.000"},
        {DecimalEdit::kArraySpacing, "20000", "10000.000"},
    };
    for (const DecimalCase& c : cases) {
        EXPECT_EQ(ShowDecimalEdit(CorrectDecimalEdit(c.edit, c.typed)), c.shown)
            << "edit " << static_cast<int>(c.edit) << " typed " << c.typed;
    }
}

TEST(TextEntryRulesTest, ArrayCountsBecomeOneForZeroAndAThousandBeyondOrBelow) {
    const std::pair<const char*, int> cases[] = {
        {"0", 1},       {"", 1},        {"x", 1}, {"-3", 1000},
        {"2500", 1000}, {"1000", 1000}, {"7", 7}, {"99999999999", 1000},
    };
    for (const auto& [typed, count] : cases) {
        EXPECT_EQ(CorrectArrayCount(typed), count) << typed;
    }
}

TEST(TextEntryRulesTest, TypedIncrementAndOffsetSaturateToTheirFields) {
    EXPECT_EQ(ReadSerialIncrement("99999999999"), 2147483647);
    EXPECT_EQ(ReadSerialIncrement("-99999999999"), -2147483647 - 1);
    EXPECT_EQ(ReadSerialIncrement("-5"), -5);
    EXPECT_EQ(ReadDateOffset("150"), 150);
    EXPECT_EQ(ReadDateOffset("99999"), 32767);
    EXPECT_EQ(ReadDateOffset("-99999"), -32768);
    EXPECT_EQ(ReadDateOffset("x"), 0);
}

TEST(TextEntryRulesTest, NonAsciiMeansAnyByteAboveTildeDeleteIncluded) {
    EXPECT_FALSE(HasNonAsciiChar("AB ~z09"));
    EXPECT_TRUE(HasNonAsciiChar("\x7f"));
    EXPECT_TRUE(HasNonAsciiChar("A中"));
    EXPECT_FALSE(HasNonAsciiChar(""));
}

TEST(TextEntryRulesTest, StripNulCharsKeepsEverythingElse) {
    EXPECT_EQ(StripNulChars(std::string("00\0"
                                        "07",
                                        5)),
              "0007");
    EXPECT_EQ(StripNulChars("A中9"), "A中9");
}

struct OkCase {
    std::uint16_t fontKind;
    const char* shxFont;
    const char* text;
    std::optional<TextProblem> problem;
};

TEST(TextEntryRulesTest, OkRefusesAnEmptyTextAndCharactersTheShxFontLacks) {
    const OkCase cases[] = {
        {CTextParam::kShxFont, "FS.SHX", "中文", std::nullopt},
        {CTextParam::kShxFont, "fs.shx", "中文", std::nullopt},
        {CTextParam::kShxFont, "GBCBIG.SHX", "中文", std::nullopt},
        {CTextParam::kShxFont, "HT.SHX", "中文", std::nullopt},
        {CTextParam::kShxFont, "HZTXT.SHX", "中文", std::nullopt},
        {CTextParam::kShxFont, "KHZ.SHX", "中文", std::nullopt},
        {CTextParam::kTrueTypeFont, "ROMANS.SHX", "中文", std::nullopt},
        {CTextParam::kShxFont, "ROMANS.SHX", "中文", TextProblem::kUnsupportedCharacter},
        {CTextParam::kShxFont, "ROMANS.SHX", "\x7f", TextProblem::kUnsupportedCharacter},
        {CTextParam::kShxFont, "", "A", std::nullopt},
        {CTextParam::kShxFont, "ROMANS.SHX", "AB~", std::nullopt},
        {CTextParam::kTrueTypeFont, "FS.SHX", "", TextProblem::kNoText},
        {CTextParam::kShxFont, "ROMANS.SHX", "", TextProblem::kNoText},
    };
    for (const OkCase& c : cases) {
        CTextParam params;
        params.fontKind = c.fontKind;
        params.shxFont = c.shxFont;
        params.text = c.text;
        EXPECT_EQ(CheckTextForOk(params), c.problem) << c.shxFont << " " << c.text;
    }
}

TEST(TextEntryRulesTest, KindsBeyondSerialShowAsDate) {
    EXPECT_EQ(DialogVarKind(0), 0);
    EXPECT_EQ(DialogVarKind(1), 1);
    EXPECT_EQ(DialogVarKind(5), 0);
}

}  // namespace
}  // namespace letterforge
