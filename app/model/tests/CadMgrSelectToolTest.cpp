// The select tool driven by a scripted mouse: clicks, Shift, rubber bands, handle drags and rotation.
#include <cmath>
#include <numbers>

#include "CanvasFixture.h"

namespace {

using platform::Point;

class CadMgrSelectToolTest : public CanvasFixture {
  protected:
    CCadCurve* AddBox(double x1, double y1, double x2, double y2) {
        return AddCurve({{x1, y1}, {x2, y1}, {x2, y2}, {x1, y2}}, true);
    }
    static void ExpectRect(const CCadRect& rect, double x1, double y1, double x2, double y2) {
        EXPECT_NEAR(rect.x1, x1, 1e-9);
        EXPECT_NEAR(rect.y1, y1, 1e-9);
        EXPECT_NEAR(rect.x2, x2, 1e-9);
        EXPECT_NEAR(rect.y2, y2, 1e-9);
    }
};

TEST_F(CadMgrSelectToolTest, TopRightHandleScalesUniformlyAboutTheBottomLeft) {
    CCadCurve* box = AddBox(0, 0, 10, 20);
    Select(box);
    Drag(Pixel({10, 20}), Pixel({15, 22}));
    ExpectRect(box->rect, 0, 0, 11, 22);
    EXPECT_EQ(manager->toolMode, 0x4008u);
    EXPECT_EQ(canvas.PostedNumbers().back(), CCadMgr::kSelectionReleasedMessage);
}

TEST_F(CadMgrSelectToolTest, LeftMiddleHandlePastTheRightEdgeMirrorsAboutIt) {
    CCadCurve* box = AddBox(0, 0, 10, 20);
    Select(box);
    Drag(Pixel({0, 10}), Pixel({15, 10}));
    ExpectRect(box->rect, 10, 0, 15, 20);
    ExpectNear(Segments(box)[0].start, {15, 0});
}

TEST_F(CadMgrSelectToolTest, CentreHandleMovesAndAClickWithoutMovingStillReportsAModification) {
    CCadCurve* box = AddBox(0, 0, 10, 20);
    Select(box);
    Drag(Pixel({5, 10}), Pixel({8, 6}));
    ExpectRect(box->rect, 3, -4, 13, 16);
    canvas.Clear();
    MoveTo(Pixel({8, 6}));
    Click(Pixel({8, 6}));
    ExpectRect(box->rect, 3, -4, 13, 16);
    EXPECT_EQ(canvas.PostedNumbers(),
              (std::vector<std::uint32_t>{kDrawingModifiedMessage, kSelectionMovedMessage,
                                          CCadMgr::kSelectionReleasedMessage}));
}

TEST_F(CadMgrSelectToolTest, ClickSelectsTheFirstHitAndShiftClickTogglesOne) {
    CCadCurve* a = AddBox(0, 0, 10, 10);
    CCadCurve* b = AddBox(20, 0, 30, 10);
    Click(Pixel({0, 2}));
    EXPECT_EQ(Selected(), (std::vector<CCadElement*>{a}));
    Click(Pixel({20, 2}), kShift);
    EXPECT_EQ(Selected(), (std::vector<CCadElement*>{a, b}));
    Click(Pixel({0, 2}), kShift);
    EXPECT_EQ(Selected(), (std::vector<CCadElement*>{b}));
    EXPECT_EQ(a->GetSelect(), 0);
}

TEST_F(CadMgrSelectToolTest, ClickOnEmptyCanvasClearsTheSelectionUnlessShiftIsHeld) {
    CCadCurve* a = AddBox(0, 0, 10, 10);
    Select(a);
    Click(Pixel({-20, -20}), kShift);
    EXPECT_EQ(Selected(), (std::vector<CCadElement*>{a}));
    Click(Pixel({-20, -20}));
    EXPECT_TRUE(Selected().empty());
}

TEST_F(CadMgrSelectToolTest, ShiftRubberBandAddsAlreadySelectedElementsOnlyOnce) {
    CCadCurve* a = AddBox(0, 0, 10, 10);
    CCadCurve* b = AddBox(20, 0, 30, 10);
    AddBox(50, 0, 60, 10);
    Select(a);
    Drag(Pixel({-5, 15}), Pixel({35, -5}), kShift);
    EXPECT_EQ(Selected(), (std::vector<CCadElement*>{a, b}));
    // one move moves each once, and deleting frees each once
    manager->MoveSelection(1.0, 0.0, 1);
    ExpectRect(a->rect, 1, 0, 11, 10);
    manager->DeleteSelection();
    EXPECT_EQ(Elements().size(), 1u);
}

TEST_F(CadMgrSelectToolTest, RubberBandWithoutShiftReplacesTheSelectionInElementOrder) {
    CCadCurve* a = AddBox(0, 0, 10, 10);
    CCadCurve* b = AddBox(20, 0, 30, 10);
    CCadCurve* c = AddBox(50, 0, 60, 10);
    Select(c);
    Drag(Pixel({35, -5}), Pixel({-5, 15}));
    EXPECT_EQ(Selected(), (std::vector<CCadElement*>{a, b}));
    ExpectRect(manager->selectionRect, 0, 0, 30, 10);
}

struct RotationCase {
    SDPoint from;
    SDPoint to;
    double angle;
};

TEST_F(CadMgrSelectToolTest, RotateDragTurnsBySignedAngleAboutTheCentre) {
    const double pi = std::numbers::pi;
    for (const RotationCase& c : {RotationCase{{10, 0}, {0, 10}, pi / 2},
                                  {{0, 10}, {10, 0}, -pi / 2},
                                  {{10, 0}, {-10, 0}, pi},
                                  {{3.3, 1.1}, {-6.6, -2.2}, pi}}) {
        manager->DeleteAll();
        CCadCurve* line = AddCurve({{-20, 0}, {20, 0}});
        manager->ClearSelection();
        Select(line);
        manager->SetToolMode(CCadMgr::kRotateTool);
        Drag(Pixel(c.from), Pixel(c.to));
        const SDPoint start = Segments(line)[0].start;
        EXPECT_NEAR(start.x, -20 * std::cos(c.angle), 1e-6) << c.to.x;
        EXPECT_NEAR(start.y, -20 * std::sin(c.angle), 1e-6) << c.to.x;
        EXPECT_EQ(manager->toolMode, CCadMgr::kRotateTool);
    }
}

// Rounding carries the cosine of a drag through half a turn just past -1, where arccos gives NaN.
TEST_F(CadMgrSelectToolTest, DragAngleThroughHalfATurnIsPiNotNaN) {
    Select(AddCurve({{-20, 0}, {20, 0}}));
    const platform::DeviceContext dc = manager->GetPreparedDC();
    const Point centre = Pixel({0, 0});
    int checked = 0;
    for (int dx = 1; dx < 40; ++dx) {
        for (int dy = -7; dy <= 7; ++dy) {
            for (int scale = 2; scale <= 3; ++scale) {
                const double angle = manager->DragAngle(dc, {centre.x + dx, centre.y + dy},
                                                        {centre.x - scale * dx, centre.y - scale * dy});
                ASSERT_FALSE(std::isnan(angle)) << dx << ' ' << dy << ' ' << scale;
                EXPECT_NEAR(std::abs(angle), std::numbers::pi, 1e-6);
                ++checked;
            }
        }
    }
    EXPECT_GT(checked, 0);
}

TEST_F(CadMgrSelectToolTest, ARotateDragFromTheCentreTurnsNothing) {
    CCadCurve* line = AddCurve({{-20, 0}, {20, 0}});
    Select(line);
    manager->SetToolMode(CCadMgr::kRotateTool);
    Drag(Pixel({0, 0}), Pixel({10, 10}));
    ExpectNear(Segments(line)[0].start, {-20, 0});
    EXPECT_TRUE(std::isnan(manager->DragAngle(manager->GetPreparedDC(), Pixel({0, 0}), Pixel({3, 3}))));
}

TEST_F(CadMgrSelectToolTest, HoverShowsTheHandleUnderThePointerInTheMode) {
    Select(AddBox(0, 0, 10, 20));
    MoveTo(Pixel({0, 0}));
    EXPECT_EQ(manager->toolMode, 0x4080u);
    MoveTo(Pixel({30, 30}));
    EXPECT_EQ(manager->toolMode, CCadMgr::kSelectTool);
}

TEST_F(CadMgrSelectToolTest, PickModesSelectTheFirstHitOrNothingAndAlwaysReport) {
    CCadCurve* a = AddBox(0, 0, 10, 10);
    manager->SetToolMode(CCadMgr::kCutPointPick);
    EXPECT_EQ(CutPickOn, 1);
    Click(Pixel({0, 5}));
    EXPECT_EQ(Selected(), (std::vector<CCadElement*>{a}));
    canvas.Clear();
    Click(Pixel({-30, -30}));
    EXPECT_TRUE(Selected().empty());
    EXPECT_EQ(canvas.PostedNumbers(), (std::vector<std::uint32_t>{kSelectionMovedMessage}));
    manager->SetToolMode(CCadMgr::kSelectTool);
    EXPECT_EQ(CutPickOn, 0);
}

}  // namespace
