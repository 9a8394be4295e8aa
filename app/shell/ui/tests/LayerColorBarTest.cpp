#include "LayerColorBar.h"

#include <QSignalSpy>
#include <QTest>

#include <memory>

#include "CadCurve.h"
#include "CadMgr.h"
#include "GeometryTestHelpers.h"
#include "ImageButton.h"
#include "WidgetTestApplication.h"
#include "WindowMessage.h"

namespace {

class LayerColorBarTest : public platform::WidgetTest {
  protected:
    CCadElement* AddSquare(double x) {
        auto curve = std::make_unique<CCadCurve>();
        cutrix::testing::AddPolyline(curve->pathList, {{x, 0}, {x + 10, 0}, {x + 10, 10}, {x, 10}}, true);
        curve->closed = 1;
        curve->CalRect();
        CCadElement* element = curve.get();
        EXPECT_EQ(manager->AddElement(curve.release()), 1);
        return element;
    }

    std::uint32_t SlotColour(int slot) const {
        return manager->vectorLayerTable[static_cast<std::size_t>(slot)].commonParams.COM_Color;
    }

    std::unique_ptr<CCadMgr> manager = std::make_unique<CCadMgr>();
    CLayerColorBar bar{*manager};
};

TEST_F(LayerColorBarTest, TwentyButtonsShowTheFirstTwentyLayerColoursAndTheFirstIsCurrent) {
    for (int n = 1; n <= CLayerColorBar::kButtonCount; ++n) {
        ASSERT_NE(bar.Button(n), nullptr);
        EXPECT_EQ(bar.Button(n)->Color(), SlotColour(n - 1)) << n;
        EXPECT_EQ(platform::ControlId(*bar.Button(n)), 1022 + n);
        EXPECT_EQ(bar.Button(n)->IsToggled(), n == 1) << n;
    }
    EXPECT_EQ(bar.Button(0), nullptr);
    EXPECT_EQ(bar.Button(21), nullptr);
}

TEST_F(LayerColorBarTest, ClickOnAColourMovesTheSelectionToThatLayer) {
    bar.show();
    CCadElement* chosen = AddSquare(0);
    CCadElement* other = AddSquare(20);
    manager->AddToSelection(chosen);
    const std::uint32_t otherColour = other->color;
    QSignalSpy changed(&bar, &CLayerColorBar::DrawingChanged);

    QTest::mouseClick(bar.Button(20), Qt::LeftButton);

    ASSERT_NE(SlotColour(19), otherColour);
    EXPECT_EQ(chosen->color, SlotColour(19));
    EXPECT_EQ(other->color, otherColour);
    EXPECT_EQ(bar.Current(), 20);
    for (int n = 1; n <= CLayerColorBar::kButtonCount; ++n) {
        EXPECT_EQ(bar.Button(n)->IsToggled(), n == 20) << n;
    }
    EXPECT_EQ(changed.count(), 1);
    // The current colour stays pressed when clicked again.
    QTest::mouseClick(bar.Button(20), Qt::LeftButton);
    EXPECT_TRUE(bar.Button(20)->IsToggled());
}

}  // namespace
