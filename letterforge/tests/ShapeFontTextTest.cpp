// SHX text in an index-layout shape font, end to end through _text_create and a font written by the
// test: placement, advances, missing characters, lines and damaged files.
#include "ShapeFontText.h"

#include <gtest/gtest.h>

#include "ShxFontWriter.h"
#include "TextCurves.h"

namespace letterforge {
namespace {

using testing::CreateText;
using testing::Curves;
using testing::ExpectPolyline;

// 'A': pen down, up 3, right 4, down 3, pen up, right 1: a box open at the bottom, 5 units wide.
//   (0,3) +-------+ (4,3)
//         |       |
//   (0,0) +       + (4,0)   then the pen moves on to (5, 0)
const testing::Definition kBoxShape = {'A', 1, 0x34, 0x40, 0x3C, 2, 0x10, 0};
// 'C': one stroke right 2.
const testing::Definition kDashShape = {'C', 1, 0x20, 0};

std::vector<std::uint8_t> TestFont() {
    return testing::IndexLayoutFont({{'A', kBoxShape}, {'C', kDashShape}});
}

std::vector<SDPoint> Box(double x, double y = 0.0) {
    return {{x, y}, {x, y + 3}, {x + 4, y + 3}, {x + 4, y}};
}

class ShapeFontTextTest : public ::testing::Test {
  protected:
    void SetUp() override { testing::InstallFont("letters.shx", TestFont()); }
};

TEST_F(ShapeFontTextTest, HeightSixIsOneMillimetrePerShapeUnitAndTheNextShapeStartsWhereTheLastEnded) {
    const Curves curves = CreateText("AA", 1, "LETTERS.SHX", 6.0);
    ASSERT_EQ(curves.size(), 2u);
    ExpectPolyline(curves[0], Box(0));
    ExpectPolyline(curves[1], Box(5));
}

TEST_F(ShapeFontTextTest, HeightAndCharacterSpaceScaleTheShapesAndTheirAdvance) {
    // Height 12: 2 mm per unit; character space 3 mm is 1.5 units after each shape.
    const Curves curves = CreateText("AA", 1, "letters.shx", 12.0, 3.0);
    ASSERT_EQ(curves.size(), 2u);
    ExpectPolyline(curves[1], {{13, 0}, {13, 6}, {21, 6}, {21, 0}});
}

TEST_F(ShapeFontTextTest, MissingCharacterAdvancesOneSpaceInsteadOfDrawingTheNextCode) {
    // 'B' is not in the font; 'C' follows it in the index and must not stand in for it.
    const Curves curves = CreateText("ABA", 1, "letters.shx", 6.0);
    ASSERT_EQ(curves.size(), 2u);
    ExpectPolyline(curves[1], Box(11));
}

TEST_F(ShapeFontTextTest, SpacesTabsAndDoubleByteCharactersAdvanceWithoutDrawing) {
    struct Case {
        const char* text;
        double secondBoxX;
    };
    const Case cases[] = {
        {"A A", 11},      // one space: 6 units
        {"A\tA", 29},     // a tab: four spaces
        {"A中A", 17},     // two GBK bytes: two spaces
        {"A\u20acA", 11}, // a character GBK lacks: one space
    };
    for (const Case& c : cases) {
        const Curves curves = CreateText(c.text, 1, "letters.shx", 6.0);
        ASSERT_EQ(curves.size(), 2u) << c.text;
        ExpectPolyline(curves[1], Box(c.secondBoxX));
    }
}

TEST_F(ShapeFontTextTest, LastLineIsLowestAndALineOfSpacesOnlyRaisesTheNext) {
    const Curves twoLines = CreateText("A\nA", 1, "letters.shx", 6.0);
    ASSERT_EQ(twoLines.size(), 2u);
    ExpectPolyline(twoLines[0], Box(0));
    EXPECT_GT(twoLines[1].front().start.y, 3.0);

    const Curves overSpaces = CreateText("A\n  \nA", 1, "letters.shx", 6.0);
    ASSERT_EQ(overSpaces.size(), 2u);
    EXPECT_GT(overSpaces[1].front().start.y, twoLines[1].front().start.y + 5.0);
}

TEST_F(ShapeFontTextTest, FontNameMustBeAPlainFileNameInTheFontFolder) {
    for (const char* name : {"../fonts/letters.shx", "fonts/letters.shx", "", "..", "nothere.shx"}) {
        EXPECT_TRUE(CreateText("A", 1, name, 6.0).empty()) << name;
    }
}

TEST_F(ShapeFontTextTest, FileCutShortAtEveryLengthDrawsOnlyWhatItHolds) {
    const std::vector<std::uint8_t> font = TestFont();
    for (std::size_t length = 0; length < font.size(); ++length) {
        const std::vector<std::uint8_t> cut(font.begin(), font.begin() + static_cast<std::ptrdiff_t>(length));
        for (const testing::Definition& code : {testing::Definition{'A'}, testing::Definition{'C'}}) {
            const std::span<const std::uint8_t> definition = ReadShapeBytes(code[0], cut);
            EXPECT_TRUE(definition.empty() || definition.data() + definition.size() <= cut.data() + cut.size());
        }
        testing::InstallFont("cut.shx", cut);
        const Curves curves = CreateText("ACA", 1, "cut.shx", 6.0);
        EXPECT_TRUE(curves.size() <= 3) << length;
    }
}

TEST_F(ShapeFontTextTest, IndexClaimingMoreShapesThanTheFileHoldsIsRefused) {
    std::vector<std::uint8_t> font = TestFont();
    font[28] = 0xFF;
    font[29] = 0xFF;
    EXPECT_TRUE(ReadShapeBytes('A', font).empty());
}

}  // namespace
}  // namespace letterforge
