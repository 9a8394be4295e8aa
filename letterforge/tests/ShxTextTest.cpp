// SHX text in the five double-byte fonts with their big font, end to end through _text_create and
// fonts written by the test: placement, advances, lines, braces, escapes and damaged files.
#include "ShxText.h"

#include <gtest/gtest.h>

#include "Letterforge.h"
#include "RecordingMessageSink.h"
#include "ShxFontWriter.h"
#include "TextCurves.h"

namespace letterforge {
namespace {

using testing::CreateText;
using testing::Curves;
using testing::ExpectPolyline;

// 'A': pen down, up 3, right 4, down 3, pen up; the first two vertices coincide.
const testing::Definition kBoxShape = {1, 0x34, 0x40, 0x3C, 2, 0};
// "中" (GBK D6 D0) for font index 3: from (0, 50) to (50, 50) in hundredths of the height.
const testing::Definition kMiddleShape = {0, 1, 8, 0, 50, 8, 50, 0, 2};
constexpr std::uint16_t kMiddleCode = 0xD6D0;
constexpr double kLineStep = 16.6667;  // 1.66667 x height 10

std::vector<SDPoint> Box(double x, double top) {
    return {{x, top - 6}, {x, top - 6}, {x, top - 3}, {x + 4, top - 3}, {x + 4, top - 6}};
}

std::vector<SDPoint> Middle(double x, double top) {
    return {{x, top - 5}, {x + 5, top - 5}};
}

class ShxTextTest : public ::testing::Test {
  protected:
    void SetUp() override {
        testing::InstallFont("fs.shx", testing::SequentialLayoutFont({{'A', kBoxShape}}));
        testing::InstallFont("big.shx", testing::BigFont({{kMiddleCode, kMiddleShape}}));
    }
};

TEST_F(ShxTextTest, BigFontCharacterIsDrawnFromItsTwoGbkBytes) {
    const Curves curves = CreateText("中", 1, "FS.SHX", 10.0);
    ASSERT_EQ(curves.size(), 1u);
    ExpectPolyline(curves[0], Middle(0, 0));
}

TEST_F(ShxTextTest, LinesAreOneAndTwoThirdsHeightsApartTheLastLowest) {
    const Curves curves = CreateText("中\n中", 2, "fs.shx", 10.0);
    ASSERT_EQ(curves.size(), 2u);
    ExpectPolyline(curves[0], Middle(0, 0));
    ExpectPolyline(curves[1], Middle(0, kLineStep));
}

TEST_F(ShxTextTest, BackslashPStartsANewLineBelowAtTheLineStart) {
    const Curves curves = CreateText("中\\P中", 1, "FS.SHX", 10.0);
    ASSERT_EQ(curves.size(), 2u);
    ExpectPolyline(curves[0], Middle(0, 0));
    ExpectPolyline(curves[1], Middle(0, -kLineStep));
}

TEST_F(ShxTextTest, BracedTextLosesItsFiveCharacterCodeAndClosingBrace) {
    const Curves braced = CreateText("{\\fX;中}", 1, "FS.SHX", 10.0);
    ASSERT_EQ(braced.size(), 1u);
    ExpectPolyline(braced[0], Middle(0, 0));
}

TEST_F(ShxTextTest, ShortTextStartingWithABraceIsDrawnAsItStands) {
    // '{' has no shape here and advances as any missing shape, (1 + 0.00785) x 6.
    const Curves curves = CreateText("{A", 1, "FS.SHX", 6.0);
    ASSERT_EQ(curves.size(), 1u);
    ExpectPolyline(curves[0], Box(6.0471, 0));
}

TEST_F(ShxTextTest, SingleByteAdvancesFollowTheFontAndThePunctuationRules) {
    struct Case {
        const char* font;
        const char* text;
        double secondBoxX;
    };
    const Case cases[] = {
        {"FS.SHX", "AA", 6.0},         // font index 3: w x h
        {"GBCBIG.SHX", "AA", 6.0471},  // (w + 0.00785) x h
        // '!' has no shape: the A's advance less 0.0075 widths before it, then a missing shape's advance.
        {"FS.SHX", "A!A", 6.0 - 0.045 + 6.0471},
        {"FS.SHX", "A &A", 6.0 - 0.045 + 6.0471},  // a space before '&' is passed over
    };
    testing::InstallFont("gbcbig.shx", testing::SequentialLayoutFont({{'A', kBoxShape}}));
    for (const Case& c : cases) {
        const Curves curves = CreateText(c.text, 1, c.font, 6.0);
        ASSERT_EQ(curves.size(), 2u) << c.font << " " << c.text;
        ExpectPolyline(curves[1], Box(c.secondBoxX, 0));
    }
}

TEST_F(ShxTextTest, WidthRatioZeroOrBelowCountsAsOne) {
    const Curves expected = CreateText("A中A", 1, "FS.SHX", 6.0, 0.0, 0.0, 1.0);
    ASSERT_EQ(expected.size(), 3u);
    for (double ratio : {0.0, -2.0}) {
        const Curves curves = CreateText("A中A", 1, "FS.SHX", 6.0, 0.0, 0.0, ratio);
        ASSERT_EQ(curves.size(), expected.size()) << ratio;
        for (std::size_t c = 0; c < curves.size(); ++c) {
            cutrix::testing::ExpectSameRecords(curves[c], expected[c]);
        }
    }
}

TEST_F(ShxTextTest, MissingFontIsReportedOncePerText) {
    platform::RecordingMessageSink sink;
    SetMessageSink(&sink);
    EXPECT_TRUE(CreateText("AAA", 1, "KHZ.SHX", 6.0).empty());
    SetMessageSink(nullptr);
    ASSERT_EQ(sink.Shown().size(), 1u);
    EXPECT_EQ(sink.Shown()[0].text, "SHX文件没有发现！");
}

TEST_F(ShxTextTest, DamagedFontsCutAtEveryLengthNeverReadPastTheirEnd) {
    const std::vector<std::uint8_t> font = testing::SequentialLayoutFont({{'A', kBoxShape}});
    const std::vector<std::uint8_t> big = testing::BigFont({{kMiddleCode, kMiddleShape}});
    for (std::size_t length = 0; length < std::max(font.size(), big.size()); ++length) {
        auto cut = [length](const std::vector<std::uint8_t>& bytes) {
            return std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(std::min(length, bytes.size())));
        };
        testing::InstallFont("fs.shx", cut(font));
        testing::InstallFont("big.shx", cut(big));
        EXPECT_LE(CreateText("A中A", 1, "FS.SHX", 6.0).size(), 2u) << length;
    }
}

TEST_F(ShxTextTest, BigFontEntryWithAnOffsetBeyondTheFileIsAMissingShape) {
    std::vector<std::uint8_t> big = testing::BigFont({{kMiddleCode, kMiddleShape}});
    const std::size_t offsetField = 25 + 6 + 4 + 4;
    big[offsetField + 2] = 0xFF;
    testing::InstallFont("big.shx", big);
    EXPECT_TRUE(CreateText("中", 1, "FS.SHX", 10.0).empty());
}

}  // namespace
}  // namespace letterforge
