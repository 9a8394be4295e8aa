#include "RulerSplitterWnd.h"
#include "RulerView.h"
#include "WidgetTestApplication.h"

#include <gtest/gtest.h>

namespace {

CCreateContext ShellPanes() {
    return {[] { return std::make_unique<CRulerCornerView>(); }, [] { return std::make_unique<CRulerView>(); },
            [] { return std::make_unique<QWidget>(); }};
}

class RulerViewTest : public platform::WidgetTest {};

}  // namespace

TEST_F(RulerViewTest, SplitterMakesTheTopPaneHorizontalAndTheLeftPaneVertical) {
    CRulerSplitterWnd splitter;
    ASSERT_TRUE(splitter.Create(ShellPanes()));
    EXPECT_EQ(static_cast<CRulerView*>(splitter.Pane(0, 1))->Orientation(), kRulerHorizontal);
    EXPECT_EQ(static_cast<CRulerView*>(splitter.Pane(1, 0))->Orientation(), kRulerVertical);
}

TEST_F(RulerViewTest, BothRulersReceiveTheMappingAndTheMarkerFollowsTheirAxis) {
    CRulerSplitterWnd splitter;
    ASSERT_TRUE(splitter.Create(ShellPanes()));
    RulerMapping mapping;
    mapping.originXMm = 10;
    mapping.extentXMm = 600;
    mapping.cursorX = 120;
    mapping.cursorY = 45;
    splitter.UpdateRulers(kRulerMoveMarker, mapping);
    auto* horizontal = static_cast<CRulerView*>(splitter.Pane(0, 1));
    auto* vertical = static_cast<CRulerView*>(splitter.Pane(1, 0));
    EXPECT_EQ(horizontal->Mapping(), mapping);
    EXPECT_EQ(vertical->Mapping(), mapping);
    EXPECT_EQ(horizontal->MarkerPosition(), 120);
    EXPECT_EQ(vertical->MarkerPosition(), 45);
}
