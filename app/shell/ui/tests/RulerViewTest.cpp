#include "RulerSplitterWnd.h"
#include "RulerView.h"
#include "WidgetTestApplication.h"

#include <gtest/gtest.h>

namespace {

CCreateContext ShellPanes() {
    return {[] { return std::make_unique<CRulerCornerView>(); },
            [] { return std::make_unique<CRulerView>(); }, [] { return std::make_unique<QWidget>(); }};
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

namespace {

// 5 pixels a millimetre from 0 mm, ticks every millimetre.
RulerMapping FiveToTheMillimetre(double extentMm) {
    RulerMapping mapping;
    mapping.extentXMm = extentMm;
    mapping.extentYMm = extentMm;
    mapping.pixelsPerMmX = 5;
    mapping.pixelsPerMmY = 5;
    return mapping;
}

bool IsBlack(const QImage& image, int x, int y) {
    return image.pixelColor(x, y) == Qt::black;
}

}  // namespace

TEST_F(RulerViewTest, TicksHangFromTheEdgeBesideTheView) {
    struct Case {
        int orientation;
        QSize size;
    };
    for (const Case& c : {Case{kRulerHorizontal, {200, 16}}, Case{kRulerVertical, {16, 200}}}) {
        CRulerView ruler;
        ruler.SetOrientation(c.orientation);
        ruler.resize(c.size);
        ruler.SetStepSource([] { return 1.0; });
        ruler.SetMapping(kRulerRepaintHorizontal, FiveToTheMillimetre(40));
        const QImage image = ruler.grab().toImage();
        // Along the ruler, across it from the inner edge: the long tick at 0 mm, the middle one at 5 mm,
        // a short one at 1 mm.
        const auto at = [&](int along, int fromInnerEdge) {
            return c.orientation == kRulerHorizontal ? IsBlack(image, along, 15 - fromInnerEdge)
                                                     : IsBlack(image, 15 - fromInnerEdge, along);
        };
        EXPECT_TRUE(at(0, 15)) << c.orientation;
        EXPECT_TRUE(at(25, 7)) << c.orientation;
        EXPECT_FALSE(at(25, 8)) << c.orientation;
        EXPECT_TRUE(at(5, 3)) << c.orientation;
        EXPECT_FALSE(at(5, 4)) << c.orientation;
        ASSERT_EQ(ruler.Ticks().size(), 41u);
        EXPECT_EQ(ruler.Ticks()[10].label, "10.0");
    }
}

TEST_F(RulerViewTest, MovingTheMarkerLeavesTheTicksAsTheyWere) {
    CRulerView ruler;
    ruler.resize(200, 16);
    ruler.SetStepSource([] { return 1.0; });
    RulerMapping mapping = FiveToTheMillimetre(40);
    ruler.SetMapping(kRulerRepaintHorizontal, mapping);
    ruler.grab();
    ASSERT_EQ(ruler.TickLayouts(), 1);

    mapping.cursorX = 52;  // between the ticks at 50 and 55, below the label of 10 mm
    ruler.SetMapping(kRulerMoveMarker, mapping);
    const QImage marked = ruler.grab().toImage();
    EXPECT_EQ(ruler.TickLayouts(), 1);
    EXPECT_TRUE(IsBlack(marked, 52, 14));
    EXPECT_TRUE(IsBlack(marked, 53, 14));
    EXPECT_FALSE(IsBlack(marked, 54, 14));

    mapping.originXMm = 3;
    ruler.SetMapping(kRulerRepaintHorizontal, mapping);
    ruler.grab();
    EXPECT_EQ(ruler.TickLayouts(), 2);
}
