#include "ToolBarEx.h"
#include "WidgetTestApplication.h"

#include <QAction>
#include <QApplication>
#include <QMainWindow>

#include <gtest/gtest.h>

namespace {

constexpr QRgb kMagenta = 0xFFFF00FF;
constexpr QRgb kWhite = 0xFFFFFFFF;

// Ten 16-pixel images on a magenta ground, each with a white pixel at (5, 5) and a red one at (8, 8).
QImage TenButtonStrip() {
    QImage strip(160, 16, QImage::Format_RGB32);
    strip.fill(kMagenta);
    for (int button = 0; button < 10; ++button) {
        strip.setPixel(button * 16 + 5, 5, kWhite);
        strip.setPixel(button * 16 + 8, 8, 0xFFC80000);
    }
    return strip;
}

std::vector<std::uint8_t> TenButtonsTwoSeparators() {
    return EncodeToolbarResource({1, 16, 16, {101, 102, 0, 103, 104, 105, 0, 106, 107, 108, 109, 110}});
}

class ToolBarExTest : public platform::WidgetTest {};

}  // namespace

TEST_F(ToolBarExTest, StripOfTenButtonsGivesSixteenPixelImagesAndCommandActions) {
    CToolBarEx bar;
    ASSERT_TRUE(bar.LoadToolBar(TenButtonsTwoSeparators(), TenButtonStrip()));
    EXPECT_EQ(bar.Metrics().imageSize, (platform::Size{16, 16}));
    EXPECT_EQ(bar.Metrics().buttonSize, (platform::Size{23, 23}));
    EXPECT_EQ(bar.actions().size(), 12);
    EXPECT_EQ(bar.NormalImages().size(), 10u);
    ASSERT_NE(bar.CommandAction(106), nullptr);
    EXPECT_EQ(bar.CommandAction(0), nullptr);
}

TEST_F(ToolBarExTest, ImageListsKeepTransparencyAndFollowTheirRecipes) {
    CToolBarEx bar;
    ASSERT_TRUE(bar.LoadToolBar(TenButtonsTwoSeparators(), TenButtonStrip()));
    const QImage& normal = bar.NormalImages()[3];
    const QImage& hot = bar.HotImages()[3];
    const QImage& disabled = bar.DisabledImages()[3];
    for (const QImage* image : {&normal, &hot, &disabled}) EXPECT_EQ(qAlpha(image->pixel(0, 0)), 0);
    EXPECT_EQ(normal.pixel(5, 5), kWhite);
    EXPECT_EQ(hot.pixel(5, 5), kWhite);
    EXPECT_EQ(disabled.pixel(5, 5), 0xFFCCCCCCu);
    // The shadow lies one pixel down and right of each drawn pixel.
    EXPECT_EQ(disabled.pixel(6, 6), 0xFFFAFAFAu);
    EXPECT_EQ(hot.pixel(8, 8), 0xFFD7370Fu);
}

TEST_F(ToolBarExTest, DamagedOrImpossibleTablesAreRefusedAndLeaveTheBar) {
    CToolBarEx bar;
    ASSERT_TRUE(bar.LoadToolBar(TenButtonsTwoSeparators(), TenButtonStrip()));
    std::vector<std::uint8_t> cut = TenButtonsTwoSeparators();
    cut.pop_back();
    QImage narrow(3, 16, QImage::Format_RGB32);
    narrow.fill(kMagenta);
    EXPECT_FALSE(bar.LoadToolBar(cut, TenButtonStrip()));
    EXPECT_FALSE(bar.LoadToolBar(EncodeToolbarResource({1, 16, 16, {0, 0}}), TenButtonStrip()));
    EXPECT_FALSE(bar.LoadToolBar(EncodeToolbarResource({1, 16, 16, {1, 2, 3, 4}}), narrow));
    EXPECT_FALSE(bar.LoadToolBar(TenButtonsTwoSeparators(), QImage()));
    EXPECT_EQ(bar.actions().size(), 12);
}

TEST_F(ToolBarExTest, DockingAcrossRebuildsTheListsAndAlongDoesNot) {
    QMainWindow frame;
    auto* bar = new CToolBarEx(&frame);
    ASSERT_TRUE(bar->LoadToolBar(TenButtonsTwoSeparators(), TenButtonStrip()));
    frame.addToolBar(Qt::TopToolBarArea, bar);
    const int loaded = bar->ImageListGeneration();
    frame.addToolBar(Qt::BottomToolBarArea, bar);
    EXPECT_EQ(bar->ImageListGeneration(), loaded);
    frame.addToolBar(Qt::LeftToolBarArea, bar);
    EXPECT_EQ(bar->ImageListGeneration(), loaded + 1);
}

TEST_F(ToolBarExTest, DockedBarShowsADottedGripperAndEtchedSeparators) {
    QMainWindow frame;
    auto* bar = new CToolBarEx(&frame);
    ASSERT_TRUE(bar->LoadToolBar(TenButtonsTwoSeparators(), TenButtonStrip()));
    frame.addToolBar(Qt::TopToolBarArea, bar);
    frame.resize(500, 300);
    frame.show();
    QApplication::processEvents();
    const QImage picture = bar->Render();
    // First dot at (1 + 1, 1 + 3) of the bar, its white shadow one pixel lower right.
    EXPECT_EQ(picture.pixel(2, 4), CToolBarEx::kGripperDot);
    EXPECT_EQ(picture.pixel(3, 5), CToolBarEx::kGripperDot);
    EXPECT_EQ(picture.pixel(4, 6), 0xFFFFFFFFu);
    EXPECT_EQ(picture.pixel(2, 9), CToolBarEx::kGripperDot);
    const QAction* separator = bar->actions()[2];
    ASSERT_TRUE(separator->isSeparator());
    const QRect item = bar->actionGeometry(const_cast<QAction*>(separator));
    ASSERT_LT(item.width(), 9);
    EXPECT_EQ(picture.pixel(item.center().x(), item.center().y()), bar->palette().color(QPalette::Dark).rgb());
    EXPECT_EQ(picture.pixel(item.center().x() + 1, item.center().y()), bar->palette().color(QPalette::Light).rgb());
}
