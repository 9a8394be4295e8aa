#include "RulerSplitterWnd.h"
#include "WidgetTestApplication.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A ruler that records what it is told.
class FakeRuler : public QWidget, public RulerPane {
  public:
    void SetOrientation(int orientation) override { this->orientation = orientation; }
    void SetMapping(int kind, const RulerMapping& mapping) override { received.push_back({kind, mapping}); }
    int orientation = -1;
    std::vector<std::pair<int, RulerMapping>> received;
};

CCreateContext FakePanes() {
    return {[] { return std::make_unique<QWidget>(); }, [] { return std::make_unique<FakeRuler>(); },
            [] { return std::make_unique<QWidget>(); }};
}

class RulerSplitterWndTest : public platform::WidgetTest {
  protected:
    void SetUp() override {
        ASSERT_TRUE(splitter.Create(FakePanes()));
        splitter.resize(400, 300);
        splitter.show();
    }
    FakeRuler& Ruler(int row, int column) { return static_cast<FakeRuler&>(*splitter.Pane(row, column)); }
    CRulerSplitterWnd splitter;
};

}  // namespace

TEST_F(RulerSplitterWndTest, RulersStayHiddenUntilTheFirstUpdate) {
    EXPECT_EQ(splitter.Pane(0, 1)->height(), 0);
    EXPECT_EQ(splitter.Pane(1, 0)->width(), 0);
    EXPECT_EQ(splitter.Pane(1, 1)->geometry(), QRect(1, 1, 399, 299));
    splitter.UpdateRulers(kRulerRepaintHorizontal, {});
    EXPECT_EQ(splitter.Pane(0, 1)->height(), CRulerSplitterWnd::kRulerThickness);
    EXPECT_EQ(splitter.Pane(1, 0)->width(), CRulerSplitterWnd::kRulerThickness);
    EXPECT_EQ(splitter.Pane(1, 1)->geometry(), QRect(19, 19, 381, 281));
}

TEST_F(RulerSplitterWndTest, UpdateShowsRulersWithoutChangingTheRememberedState) {
    splitter.ShowRulers(true, true);
    splitter.ShowRulers(false, false);
    EXPECT_TRUE(splitter.RulersRemembered());
    splitter.ShowRulers(false, true);
    splitter.UpdateRulers(kRulerMoveMarker, {});
    EXPECT_FALSE(splitter.RulersRemembered());
    EXPECT_EQ(splitter.Pane(1, 0)->width(), CRulerSplitterWnd::kRulerThickness);
}

TEST_F(RulerSplitterWndTest, MappingGoesUnchangedToTheHorizontalThenTheVerticalRuler) {
    RulerMapping mapping;
    mapping.pixelsPerMmX = 3.5;
    mapping.cursorY = 77;
    splitter.UpdateRulers(kRulerRepaintVertical, mapping);
    EXPECT_EQ(Ruler(0, 1).orientation, kRulerHorizontal);
    EXPECT_EQ(Ruler(1, 0).orientation, kRulerVertical);
    ASSERT_EQ(Ruler(0, 1).received.size(), 1u);
    EXPECT_EQ(Ruler(0, 1).received[0], std::make_pair(int{kRulerRepaintVertical}, mapping));
    EXPECT_EQ(Ruler(1, 0).received[0], std::make_pair(int{kRulerRepaintVertical}, mapping));
}

TEST_F(RulerSplitterWndTest, CreationFailsAtAMissingPaneAndRulerRectsStayUnchanged) {
    CRulerSplitterWnd noRuler;
    CCreateContext context = FakePanes();
    context.newRuler = [] { return std::make_unique<QWidget>(); };
    EXPECT_FALSE(noRuler.Create(context));
    QRect untouched(1, 2, 3, 4);
    noRuler.GetHorzRulerRect(untouched);
    EXPECT_EQ(untouched, QRect(1, 2, 3, 4));
    CRulerSplitterWnd noView;
    context = FakePanes();
    context.newView = nullptr;
    EXPECT_FALSE(noView.Create(context));
}
