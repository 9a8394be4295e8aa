#include "StatusBarXP.h"
#include "WidgetTestApplication.h"
#include "WindowMessage.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>

#include <gtest/gtest.h>

namespace {

class StatusBarXPTest : public platform::WidgetTest {};

const int kIndicators[] = {0, 0xE700, 0xE701};

}  // namespace

TEST_F(StatusBarXPTest, PanesAreOutlinedInTheShadowColourAndTheBarKeepsItsMinimumHeight) {
    QMainWindow frame;
    auto* bar = new CStatusBarXP;
    frame.setStatusBar(bar);
    ASSERT_TRUE(bar->SetIndicators(kIndicators));
    bar->SetPaneText(0, "Ready");
    bar->SetPaneText(1, "X: 12.50");
    bar->SetPaneText(2, "Y: 3.00");
    frame.resize(600, 400);
    frame.show();
    QApplication::processEvents();
    EXPECT_GE(bar->height(), CStatusBarXP::kMinimumHeight);

    const QImage image = bar->grab().toImage();
    const QRgb shadow = bar->palette().color(QPalette::Dark).rgb();
    for (int index = 0; index < bar->PaneCount(); ++index) {
        const QRect pane = bar->PaneRect(index);
        ASSERT_FALSE(pane.isEmpty()) << index;
        for (const QPoint corner : {pane.topLeft(), pane.topRight(), pane.bottomLeft(), pane.bottomRight()}) {
            EXPECT_EQ(image.pixel(corner) | 0xFF000000u, shadow) << index;
        }
        EXPECT_NE(image.pixel(pane.center()) | 0xFF000000u, shadow) << index;
    }
    EXPECT_GT(bar->PaneRect(0).width(), bar->PaneRect(1).width());
}

TEST_F(StatusBarXPTest, PanesCarryTheirIdsAndReplaceEarlierOnes) {
    CStatusBarXP bar;
    ASSERT_TRUE(bar.SetIndicators(kIndicators));
    ASSERT_TRUE(bar.SetIndicators(std::span(kIndicators).first(2)));
    EXPECT_EQ(bar.PaneCount(), 2);
    EXPECT_EQ(bar.findChildren<QLabel*>().size(), 2);
    EXPECT_EQ(platform::ControlId(*bar.findChildren<QLabel*>()[1]), 0xE700);
    EXPECT_FALSE(bar.SetPaneText(2, "out of range"));
    EXPECT_FALSE(bar.SetIndicators({}));
}
