// The canvas mapping, the zooms, the ruler step, the handle hit test and the nudges.
#include <cmath>

#include "CanvasFixture.h"

namespace {

using platform::Point;

class CadMgrViewTest : public CanvasFixture {};

TEST_F(CadMgrViewTest, ZoomHundredPutsTheOriginAtTheClientCentreAndTenMillimetresAtAHundredPixels) {
    EXPECT_EQ(Pixel({0, 0}), (Point{401, 301}));
    EXPECT_EQ(Pixel({10, 10}), (Point{501, 201}));
}

TEST_F(CadMgrViewTest, PrepareDCQuantisesTheZoomToSteps) {
    manager->zoomFactor = 0.1234;
    manager->GetPreparedDC();
    EXPECT_NEAR(manager->zoomFactor, 0.122, 1e-12);
}

TEST_F(CadMgrViewTest, RepeatedEnlargingStopsAtTheSmallestZoom) {
    for (int step = 0; step < 40; ++step) {
        manager->ZoomAtPoint(2, 300, 200);
    }
    manager->GetPreparedDC();
    EXPECT_NEAR(manager->zoomFactor, CCadMgr::kMinZoom, 1e-12);
}

TEST_F(CadMgrViewTest, TheModelPointUnderAZoomStaysWithinAPixel) {
    for (const std::uint16_t mode : {2, 4, 4, 2, 2}) {
        const Point at{237, 411};
        const SDPoint before = Model(at);
        manager->ZoomAtPoint(mode, at.x, at.y);
        const Point after = Pixel(before);
        EXPECT_LE(std::abs(after.x - at.x), 1) << mode;
        EXPECT_LE(std::abs(after.y - at.y), 1) << mode;
    }
    EXPECT_GT(canvas.Repaints(), 0);
}

TEST_F(CadMgrViewTest, ReduceThenEnlargeAtOnePointRestoresTheFactor) {
    const Point at{120, 90};
    const SDPoint under = Model(at);
    manager->SetToolMode(CCadMgr::kReduceTool);
    Click(at);
    EXPECT_NEAR(manager->zoomFactor, 150.0, 1e-9);
    manager->SetToolMode(CCadMgr::kEnlargeTool);
    Click(at);
    EXPECT_NEAR(manager->zoomFactor, 100.0, 1e-9);
    const Point back = Pixel(under);
    EXPECT_LE(std::abs(back.x - at.x), 1);
    EXPECT_LE(std::abs(back.y - at.y), 1);
}

TEST_F(CadMgrViewTest, ZoomsToAnEmptySelectionOrDrawingChangeNothing) {
    manager->ZoomToSelection();
    manager->ZoomToAll();
    EXPECT_EQ(manager->zoomFactor, 100.0);
    EXPECT_EQ(manager->viewOffsetX, 0);
    EXPECT_EQ(manager->viewOffsetY, 0);
}

TEST_F(CadMgrViewTest, ZoomToPageFitsThePageWithAMarginAndCentresIt) {
    manager->ZoomToPage();
    const Point lowerLeft = Pixel({0, 0});
    const Point upperRight = Pixel({manager->pageWidth, manager->pageHeight});
    EXPECT_GE(lowerLeft.x, 0);
    EXPECT_LT(upperRight.x, 801);
    EXPECT_GE(upperRight.y, 0);
    EXPECT_LT(lowerLeft.y, 601);
    EXPECT_NEAR((lowerLeft.x + upperRight.x) / 2.0, 400, 1.5);
    EXPECT_NEAR((lowerLeft.y + upperRight.y) / 2.0, 300, 1.5);
    // the wider side fills 98 % of the client width
    EXPECT_NEAR(upperRight.x - lowerLeft.x, 801 * 0.98, 2);
}

TEST_F(CadMgrViewTest, ZoomRectangleReleasedOnItsPressChangesNothing) {
    manager->SetToolMode(CCadMgr::kZoomRectTool);
    Click({300, 300});
    EXPECT_EQ(manager->zoomFactor, 100.0);
    EXPECT_EQ(manager->viewOffsetX, 0);
}

TEST_F(CadMgrViewTest, PanFollowsThePointerPixelForPixel) {
    manager->SetToolMode(CCadMgr::kPanTool);
    const Point origin = Pixel({0, 0});
    Drag({100, 100}, {130, 80});
    EXPECT_EQ(Pixel({0, 0}), (Point{origin.x + 30, origin.y - 20}));
}

TEST_F(CadMgrViewTest, WheelTowardsTheUserEnlargesAndAwayReduces) {
    manager->OnMouseWheel(0, 120, {400, 300});
    EXPECT_NEAR(manager->zoomFactor, 66.666, 0.01);
    manager->OnMouseWheel(0, -120, {400, 300});
    EXPECT_NEAR(manager->zoomFactor, 100.0, 0.01);
}

struct RulerCase {
    double mmPer100Pixels;
    double step;
};

// The smallest zoom (0.1) lets 100 pixels span 0.01 mm; 0.004 mm is clamped up to it.
TEST_F(CadMgrViewTest, RulerStepFollowsTheMillimetresSpannedByAHundredPixels) {
    for (const RulerCase& c : {RulerCase{0.3, 0.02},
                               {0.35, 0.05},
                               {0.4, 0.05},
                               {3000, 200},
                               {0.004, 0.001},
                               {0.01, 0.001},
                               {0.0149, 0.001}}) {
        manager->zoomFactor = c.mmPer100Pixels * 1000.0 / 100.0;
        EXPECT_DOUBLE_EQ(manager->GetRulerStep(), c.step) << c.mmPer100Pixels;
    }
}

TEST_F(CadMgrViewTest, RulerStepWithoutAnOwnerIsOne) {
    manager->SetOwnerHwnd(nullptr);
    EXPECT_EQ(manager->GetRulerStep(), 1.0);
}

TEST_F(CadMgrViewTest, HandleHitBoxReachesThreePixelsLeftAndNotFour) {
    Select(AddCurve({{0, 0}, {10, 20}}));
    const Point topRight = Pixel({10, 20});
    EXPECT_EQ(manager->HitHandle(topRight.x - 3, topRight.y), 3);
    EXPECT_EQ(manager->HitHandle(topRight.x - 4, topRight.y), 0);
    EXPECT_EQ(manager->HitHandle(topRight.x + 2, topRight.y + 2), 3);
    EXPECT_EQ(manager->HitHandle(topRight.x + 3, topRight.y), 0);  // the right edge is outside
    EXPECT_EQ(manager->HitHandle(Pixel({5, 10}).x, Pixel({5, 10}).y), 5);
}

TEST_F(CadMgrViewTest, FlatSelectionsFoldTheirHandles) {
    Select(AddCurve({{0, 0}, {20, 0}}));  // a horizontal line: the columns fold to 4, 5, 6
    for (const auto& [mm, handle] :
         std::vector<std::pair<SDPoint, int>>{{{0, 0.5}, 4}, {{10, -0.5}, 5}, {{20, 0}, 6}}) {
        const Point at = Pixel(mm);
        EXPECT_EQ(manager->HitHandle(at.x, at.y), handle);
    }
    manager->ClearSelection();
    Select(Add(MakePoint(3, 3)));  // a point: every box grabs the centre
    const Point corner = Pixel({2.5, 3.5});
    EXPECT_EQ(manager->HitHandle(corner.x, corner.y), 5);
}

TEST_F(CadMgrViewTest, ArrowKeysNudgeAndCtrlTurnsReportingOnRelease) {
    CCadCurve* line = AddCurve({{0, 0}, {10, 0}});
    Select(line);
    manager->OnArrowKey(CCadMgr::ArrowKey::Right, false, true, 2.0, 0.1);
    manager->OnArrowKey(CCadMgr::ArrowKey::Up, false, true, 2.0, 0.1);
    EXPECT_EQ(canvas.PostedNumbers(),
              (std::vector<std::uint32_t>{kSelectionMovedMessage, kSelectionMovedMessage}));
    manager->OnArrowKey(CCadMgr::ArrowKey::Up, false, false, 2.0, 0.1);
    EXPECT_EQ(canvas.PostedNumbers().back(), kSelectionMovedMessage);
    EXPECT_EQ(canvas.PostedNumbers()[2], kDrawingModifiedMessage);
    ExpectNear(Segments(line)[0].start, {2, 2});

    manager->OnArrowKey(CCadMgr::ArrowKey::Left, true, true, 2.0, std::acos(-1.0) / 2.0);
    ExpectNear(Segments(line)[0].start, {7, -3}, 1e-9);  // a quarter turn counterclockwise about (7, 2)
}

TEST_F(CadMgrViewTest, NudgeWithAnOddSignMovesLikeOne) {
    CCadCurve* line = AddCurve({{0, 0}, {10, 0}});
    Select(line);
    manager->NudgeSelection(1, 7, 1.5, 0);
    ExpectNear(Segments(line)[0].start, {1.5, 0});
}

}  // namespace
