#include "ColorListBox.h"
#include "ImageButton.h"
#include "WidgetCanvas.h"
#include "WidgetTestApplication.h"

#include <QTest>

#include <gtest/gtest.h>

using platform::Rgb;

namespace {

class ImageButtonTest : public platform::WidgetTest {};

}  // namespace

TEST_F(ImageButtonTest, ImageButtonWithoutImagesPaintsNothing) {
    CImageButton button;
    button.setText("Mirror");
    button.resize(80, 24);
    const QImage picture = button.Render();
    for (const QPoint at : {QPoint(0, 0), QPoint(40, 12), QPoint(79, 23)}) EXPECT_EQ(qAlpha(picture.pixel(at)), 0);
    std::vector<QImage> images{QImage(16, 16, QImage::Format_RGB32)};
    images[0].fill(Qt::red);
    button.SetImageList(&images);
    EXPECT_EQ(button.Render().pixel(40, 12), 0xFFFF0000u);
}

TEST_F(ImageButtonTest, DraggingOffAPressedImageButtonDropsTheSunkenLook) {
    CImageButton button;
    button.resize(80, 24);
    button.show();
    QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_TRUE(button.IsPressedLook());
    QMouseEvent move(QEvent::MouseMove, QPointF(200, 10), QPointF(200, 10), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&button, &move);
    EXPECT_FALSE(button.IsPressedLook());
}

TEST_F(ImageButtonTest, ColourButtonTogglesOnEachClickWithABlackFrame) {
    CColorButton button;
    button.resize(30, 20);
    button.show();
    button.SetColor(Rgb(0, 200, 0));
    EXPECT_EQ(button.Render().pixel(15, 10), 0xFF00C800u);
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_TRUE(button.IsToggled());
    const QImage toggled = button.Render();
    EXPECT_EQ(toggled.pixel(1, 10), 0xFF000000u);
    EXPECT_EQ(toggled.pixel(28, 10), 0xFFF0F0F0u);
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_FALSE(button.IsToggled());
    button.SetToggled(true);
    EXPECT_TRUE(button.IsToggled());
}

TEST_F(ImageButtonTest, ColourListBoxReplacesInPlaceAndSelectionWinsOverTheLinesColour) {
    CColorListBox list;
    list.AddString("Checking...", Rgb(0, 0, 255));
    list.AddString("Open path", Rgb(255, 0, 0));
    list.ReplaceString(0, "2 open paths", Rgb(0, 128, 0));
    list.ReplaceString(-1, "ignored", 0);
    list.ReplaceString(7, "ignored", 0);
    ASSERT_EQ(list.count(), 2);
    EXPECT_EQ(list.item(0)->text(), "2 open paths");
    EXPECT_EQ(list.PaintedTextColor(0), Rgb(0, 128, 0));
    list.item(1)->setSelected(true);
    EXPECT_EQ(list.PaintedTextColor(1), ui::ToColorRef(list.palette().color(QPalette::HighlightedText)));
}
