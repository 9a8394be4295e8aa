#include "BarToggles.h"

#include <QMainWindow>
#include <QToolBar>

#include "WidgetTestApplication.h"

namespace {

class BarTogglesTest : public platform::WidgetTest {
  protected:
    bool Shown(Bar bar) const { return toggles.Visible()[static_cast<std::size_t>(bar)]; }

    QMainWindow frame;
    QToolBar* drawBar = frame.addToolBar(QStringLiteral("draw"));
    int changes = 0;
    CBarToggles toggles{[this] { ++changes; }};
};

TEST_F(BarTogglesTest, ToggleHidesAndShowsTheBarAndEachChangeIsReported) {
    toggles.Register(Bar::kDraw, drawBar);
    EXPECT_TRUE(toggles.Has(Bar::kDraw));
    EXPECT_TRUE(Shown(Bar::kDraw));  // the frame is not on screen, the bar is still shown in it

    toggles.Toggle(Bar::kDraw);
    EXPECT_TRUE(drawBar->isHidden());
    EXPECT_FALSE(Shown(Bar::kDraw));
    toggles.Toggle(Bar::kDraw);
    EXPECT_FALSE(drawBar->isHidden());
    EXPECT_EQ(changes, 2);
}

TEST_F(BarTogglesTest, ABarHiddenAnotherWayIsReportedToo) {
    frame.show();
    toggles.Register(Bar::kDraw, drawBar);
    drawBar->close();
    EXPECT_FALSE(Shown(Bar::kDraw));
    EXPECT_EQ(changes, 1);
}

TEST_F(BarTogglesTest, ABarWithoutAWidgetIsNeitherShownNorToggled) {
    EXPECT_FALSE(toggles.Has(Bar::kDockingPlat));
    toggles.Toggle(Bar::kDockingPlat);
    EXPECT_FALSE(Shown(Bar::kDockingPlat));
    EXPECT_EQ(changes, 0);
    toggles.Register(Bar::kDockingPlat, drawBar);
    delete drawBar;  // a bar that goes away leaves its switch without a widget
    EXPECT_FALSE(toggles.Has(Bar::kDockingPlat));
}

}  // namespace
