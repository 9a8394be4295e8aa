// The status bar, caption, prompt and ruler texts.
#include <gtest/gtest.h>

#include "CadGroup.h"
#include "ShellDocumentFixture.h"
#include "ShellTexts.h"

namespace {

using ShellTextsTest = ShellDocumentFixture;

TEST_F(ShellTextsTest, RulerLabelsShowAsManyDecimalsAsTheValueHas) {
    struct Case {
        double value;
        const char* label;
    };
    const Case cases[] = {
        {10.0, "10.0"},
        {2.5, "2.5"},
        {0.25, "0.25"},
        {0.125, "0.125"},
        {0.0, "0.0"},
        {-20.0, "-20.0"},
        // 0.57 x 100 is 56.999..., so the value counts as having three decimals.
        {0.57, "0.570"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RulerLabel(c.value), c.label) << c.value;
    }
}

TEST_F(ShellTextsTest, StatusPositionHasThreeDecimals) {
    EXPECT_EQ(StatusPositionText(12.3456, -0.5), "X:12.346mm,Y:-0.500mm");
}

TEST_F(ShellTextsTest, SelectionSummaryNamesWhatIsSelected) {
    struct Case {
        const char* name;
        SelectionSummary selection;
        std::uint16_t language;
        const char* text;
    };
    const Case cases[] = {
        {"empty", {}, kLanguageEnglish, "\t\t\t\t\t\t\t\t\t"},
        {"one curve", {1, 1, 0, 10.0, 5.25}, kLanguageEnglish, "1 curve object,Size:X10.000,Y5.250"},
        {"one bitmap", {1, 2, 0, 1, 2}, kLanguageEnglish, "1 bitmap object,Size:X1.000,Y2.000"},
        {"one point", {1, 3, 0, 0, 0}, kLanguageEnglish, "1 point object,Size:X0.000,Y0.000"},
        {"a group of three", {1, 4, 3, 1, 1}, kLanguageEnglish, "3 objects in Group,Size:X1.000,Y1.000"},
        {"one text", {1, 5, 0, 1, 1}, kLanguageEnglish, "1 text object,Size:X1.000,Y1.000"},
        {"one array", {1, 6, 0, 1, 1}, kLanguageEnglish, "1 array object,Size:X1.000,Y1.000"},
        {"one order group", {1, 100, 0, 1, 1}, kLanguageEnglish, "1 object,Size:X1.000,Y1.000"},
        {"several", {4, 1, 0, 2, 3}, kLanguageEnglish, "4 object,Size:X2.000,Y3.000"},
        {"one curve, Chinese", {1, 1, 0, 1, 1}, kLanguageSimplifiedChinese, "1 曲线对象,尺寸:X1.000,Y1.000"},
        {"a group, Chinese",
         {1, 4, 2, 1, 1},
         kLanguageSimplifiedChinese,
         "2 对象在群组中,尺寸:X1.000,Y1.000"},
        {"several, Chinese", {2, 1, 0, 1, 1}, kLanguageSimplifiedChinese, "2 对象,尺寸:X1.000,Y1.000"},
    };
    for (const Case& c : cases) {
        LanguageIndex = c.language;
        EXPECT_EQ(SelectionInfoText(c.selection), c.text) << c.name;
    }
}

TEST_F(ShellTextsTest, SummaryOfASelectedGroupCountsItsChildren) {
    for (double x : {0.0, 10.0, 20.0}) {
        manager->AddToSelection(AddSquare(x, 0, 5));
    }
    manager->GroupSelection();
    manager->CalcSelectionRect();
    const SelectionSummary summary = SummarizeSelection(*manager);
    EXPECT_EQ(summary.count, 1);
    EXPECT_EQ(summary.singleType, 4);
    EXPECT_EQ(summary.groupChildren, 3);
    EXPECT_DOUBLE_EQ(summary.width, 25.0);
    EXPECT_EQ(SelectionInfoText(summary), "3 objects in Group,Size:X25.000,Y5.000");
}

TEST_F(ShellTextsTest, CaptionFallsBackForEmptyTitles) {
    EXPECT_EQ(FrameCaption("", ""), "CutrixV6-[Blank]");
    EXPECT_EQ(FrameCaption("Laser", "part.lcx"), "Laser-[part.lcx]");
    LanguageIndex = kLanguageSimplifiedChinese;
    EXPECT_EQ(FrameCaption("", ""), "CutrixV6-[未命名]");
}

TEST_F(ShellTextsTest, PromptSplitsAtTheFirstBackslash) {
    SetLangText("MenuPrompt", "T1", "Status part\\Tip part\\more");
    EXPECT_EQ(CommandStatusPrompt("T1"), "Status part");
    EXPECT_EQ(CommandToolTip("T1"), "Tip part\\more");
    EXPECT_EQ(CommandStatusPrompt(std::string(kIdlePromptKey)).substr(0, 13), "--- *Welcome ");
    EXPECT_EQ(CommandToolTip(std::string(kIdlePromptKey)), "");
}

TEST_F(ShellTextsTest, ToolTipIsCutBetweenCharacters) {
    std::string longTip;
    for (int i = 0; i < 40; ++i) {
        longTip += "曲";  // three bytes each
    }
    SetLangText("MenuPrompt", "T2", "s\\" + longTip);
    const std::string tip = CommandToolTip("T2");
    EXPECT_EQ(tip.size(), 78u);  // 26 whole characters fit in 79 bytes
    EXPECT_EQ(tip, longTip.substr(0, 78));
}

}  // namespace
