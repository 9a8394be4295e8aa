#include "TextProgressCtrl.h"
#include "WidgetTestApplication.h"

#include <gtest/gtest.h>

using platform::Rgb;

namespace {

constexpr QRgb kFace = 0xFFD4D0C8;

// The first pixels are red or one band step from it: with 255 bands across 200 pixels some bands are
// narrower than a pixel.
bool IsNearlyRed(QRgb pixel) { return qRed(pixel) >= 253 && qGreen(pixel) == 0 && qBlue(pixel) <= 2; }

class TextProgressCtrlTest : public platform::WidgetTest {
  protected:
    void SetUp() override {
        bar.resize(200, 20);
        bar.SetBkColor(Rgb(0xD4, 0xD0, 0xC8));
        bar.SetRange(0, 100);
    }
    CTextProgressCtrl bar;
};

}  // namespace

TEST_F(TextProgressCtrlTest, FaceAndTextAcrossTheRange) {
    struct Case {
        std::int32_t position;
        bool emptyFace;
        const char* text;
    };
    const Case cases[] = {{0, true, ""}, {100, false, "100.0   %"}, {101, true, ""}, {50, false, "50.0   %"}};
    for (const Case& c : cases) {
        bar.SetPos(c.position);
        const QImage image = bar.Render();
        EXPECT_EQ(bar.PaintedText(), QString(c.text)) << c.position;
        if (c.emptyFace) {
            // A grey outline round the button face, and no text anywhere inside.
            EXPECT_EQ(image.pixel(0, 0), 0xFF646464u);
            EXPECT_EQ(image.pixel(199, 19), 0xFF646464u);
            for (int x = 1; x < 199; ++x) ASSERT_EQ(image.pixel(x, 10), kFace) << c.position << " at " << x;
        } else {
            EXPECT_TRUE(IsNearlyRed(image.pixel(0, 0))) << c.position;
        }
    }
}

TEST_F(TextProgressCtrlTest, HalfwayShowsTheGradientOnTheLeftHalfOnly) {
    bar.SetPos(50);
    const QImage image = bar.Render();
    // Top row, away from the centred text: gradient up to a band edge just past 100, face after it.
    EXPECT_TRUE(IsNearlyRed(image.pixel(0, 0)));
    EXPECT_NE(image.pixel(99, 0), kFace);
    EXPECT_EQ(image.pixel(102, 0), kFace);
    EXPECT_EQ(image.pixel(199, 0), kFace);
    EXPECT_GT(qBlue(image.pixel(99, 0)), 120);
}

TEST_F(TextProgressCtrlTest, EqualColoursPaintOneSolidBand) {
    bar.SetBarColors(Rgb(0, 160, 0), Rgb(0, 160, 0));
    bar.SetPos(100);
    const QImage image = bar.Render();
    for (const int x : {0, 50, 150, 199}) EXPECT_EQ(image.pixel(x, 0), 0xFF00A000u) << x;
}

TEST_F(TextProgressCtrlTest, SettingTheRangeMovesThePositionToItsLowerEnd) {
    bar.SetPos(70);
    bar.SetRange(10, 20);
    EXPECT_EQ(bar.GetPos(), 10);
    EXPECT_TRUE(bar.PaintedText().isEmpty());
}
