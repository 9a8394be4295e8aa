// The drawing tools and the shapes they finish, driven by a scripted mouse.
#include "CadPoint.h"
#include "CanvasFixture.h"

namespace {

using platform::Point;

class CadMgrDrawToolsTest : public CanvasFixture {
  protected:
    CCadElement* OnlyElement() {
        EXPECT_EQ(Elements().size(), 1u);
        EXPECT_EQ(Selected(), Elements());
        return Elements().empty() ? nullptr : Elements().front();
    }
    // The rectangle of a finished shape.
    static void ExpectRect(const CCadElement* element, double x1, double y1, double x2, double y2) {
        EXPECT_NEAR(element->rect.x1, x1, 1e-9);
        EXPECT_NEAR(element->rect.y1, y1, 1e-9);
        EXPECT_NEAR(element->rect.x2, x2, 1e-9);
        EXPECT_NEAR(element->rect.y2, y2, 1e-9);
    }
};

TEST_F(CadMgrDrawToolsTest, CtrlLineWithEqualSidesIsHorizontal) {
    manager->SetToolMode(CCadMgr::kLineTool);
    Click(Pixel({0, 0}));
    MoveTo(Pixel({3, 4}));
    Click(Pixel({5, 5}), kCtrl);
    const std::vector<CFileLine> segments = Segments(OnlyElement());
    ASSERT_EQ(segments.size(), 1u);
    ExpectNear(segments[0].start, {0, 0});
    ExpectNear(segments[0].end, {5, 0});
    EXPECT_EQ(manager->drawState, 0);
    EXPECT_EQ(canvas.PostedNumbers(),
              (std::vector<std::uint32_t>{kDrawingModifiedMessage, kElementsLoadedMessage}));
}

TEST_F(CadMgrDrawToolsTest, CtrlLineNearerVerticalIsVertical) {
    manager->SetToolMode(CCadMgr::kLineTool);
    Click(Pixel({0, 0}));
    Click(Pixel({3, 5}), kCtrl);
    ExpectNear(Segments(OnlyElement())[0].end, {0, 5});
}

TEST_F(CadMgrDrawToolsTest, FourClicksAndARightClickMakeAPolylineOfThreeSegmentsClosedOnItsStart) {
    manager->SetToolMode(CCadMgr::kPolylineTool);
    RightClick(Pixel({0, 0}));  // before the second press: nothing
    for (const SDPoint mm : {SDPoint{0, 0}, {20, 0}, {20, 20}, {0, 0}}) {
        Click(Pixel(mm));
        MoveTo(Pixel({mm.x + 1, mm.y + 1}));
    }
    EXPECT_TRUE(Elements().empty());
    ASSERT_NE(manager->pendingElement, nullptr);
    RightClick(Pixel({5, 5}));
    auto* curve = static_cast<CCadCurve*>(OnlyElement());
    EXPECT_EQ(Segments(curve).size(), 3u);
    EXPECT_EQ(curve->closed, 1);
    EXPECT_EQ(manager->pendingElement, nullptr);
    EXPECT_EQ(manager->drawState, 0);
}

TEST_F(CadMgrDrawToolsTest, ChangingTheToolCompletesAPolylineInProgress) {
    manager->SetToolMode(CCadMgr::kPolylineTool);
    for (const SDPoint mm : {SDPoint{0, 0}, {20, 0}, {20, 20}}) {
        Click(Pixel(mm));
    }
    manager->SetToolMode(CCadMgr::kSelectTool);
    auto* curve = static_cast<CCadCurve*>(OnlyElement());
    EXPECT_EQ(Segments(curve).size(), 2u);
    EXPECT_EQ(curve->closed, 0);
}

TEST_F(CadMgrDrawToolsTest, BezierDragMirrorsTheIncomingHandleIntoTheOutgoingOne) {
    manager->SetToolMode(CCadMgr::kBezierTool);
    Click(Pixel({0, 0}));
    Press(Pixel({10, 0}));
    MoveTo(Pixel({14, 3}));  // shapes the first segment: its ctrl2 mirrors the pointer at B
    Release(Pixel({14, 3}));
    Press(Pixel({20, 10}));
    MoveTo(Pixel({22, 14}));
    Release(Pixel({22, 14}));
    RightClick(Pixel({0, 0}));
    const std::vector<CFileLine> segments = Segments(OnlyElement());
    ASSERT_EQ(segments.size(), 2u);
    ExpectNear(segments[0].ctrl1, {0, 0});
    ExpectNear(segments[0].ctrl2, {6, -3});
    ExpectNear(segments[1].ctrl1, {14, 3});  // the first segment's handle mirrored through B
    ExpectNear(segments[1].ctrl2, {18, 6});
    EXPECT_EQ(segments[0].startJoint, CFileLine::kJointCorner);
    EXPECT_EQ(segments[1].startJoint, CFileLine::kJointSymmetric);
}

TEST_F(CadMgrDrawToolsTest, StraightBezierClicksKeepTheirControlPointsOnTheirEnds) {
    manager->SetToolMode(CCadMgr::kBezierTool);
    for (const SDPoint mm : {SDPoint{0, 0}, {10, 0}, {10, 10}}) {
        Click(Pixel(mm));
    }
    manager->SetToolMode(CCadMgr::kSelectTool);
    const std::vector<CFileLine> segments = Segments(OnlyElement());
    ASSERT_EQ(segments.size(), 2u);
    ExpectNear(segments[1].ctrl1, segments[1].start);
    ExpectNear(segments[1].ctrl2, segments[1].end);
}

struct RectangleCase {
    std::uint32_t flags;
    double x1, y1, x2, y2;
};

TEST_F(CadMgrDrawToolsTest, RectangleIsSquaredByCtrlAndCentredByShift) {
    for (const RectangleCase& c :
         {RectangleCase{kNone, 0, -10, 30, 0}, {kCtrl, 0, -10, 10, 0}, {kCtrl | kShift, -10, -10, 10, 10}}) {
        manager->DeleteAll();
        manager->SetToolMode(CCadMgr::kRectangleTool);
        Drag(Pixel({0, 0}), Pixel({30, -10}), c.flags);
        const CCadElement* shape = OnlyElement();
        ASSERT_NE(shape, nullptr);
        ExpectRect(shape, c.x1, c.y1, c.x2, c.y2);
        EXPECT_EQ(static_cast<const CCadCurve*>(shape)->closed, 1);
    }
}

TEST_F(CadMgrDrawToolsTest, RectangleOrEllipseReleasedOnItsPressCreatesNothing) {
    for (const std::uint32_t tool : {CCadMgr::kRectangleTool, CCadMgr::kEllipseTool}) {
        manager->SetToolMode(tool);
        Click(Pixel({5, 5}));
        EXPECT_TRUE(Elements().empty());
        EXPECT_EQ(manager->pendingElement, nullptr);
        EXPECT_EQ(manager->drawState, 0);
    }
    EXPECT_TRUE(canvas.PostedNumbers().empty());
}

TEST_F(CadMgrDrawToolsTest, EllipseStartsAtTheLeftMiddleAndRunsOverTheTop) {
    manager->SetToolMode(CCadMgr::kEllipseTool);
    Drag(Pixel({10, 0}), Pixel({0, 20}));
    const std::vector<CFileLine> segments = Segments(OnlyElement());
    ASSERT_EQ(segments.size(), 4u);
    ExpectNear(segments[0].start, {0, 10});
    ExpectNear(segments[0].end, {5, 20});
    ExpectNear(segments[3].end, {0, 10});
}

TEST_F(CadMgrDrawToolsTest, EveryPressOfThePointToolMakesOnePoint) {
    manager->drawColor = 0x0000FF;
    manager->SetToolMode(CCadMgr::kPointTool);
    Click(Pixel({1, 2}));
    Click(Pixel({3, 4}));
    ASSERT_EQ(Elements().size(), 2u);
    EXPECT_EQ(Selected(), (std::vector<CCadElement*>{Elements()[1]}));
    const auto* point = static_cast<const CCadPoint*>(Elements()[1]);
    EXPECT_NEAR(point->x, 3, 1e-9);
    EXPECT_NEAR(point->y, 4, 1e-9);
    EXPECT_EQ(point->color, 0x0000FFu);
    EXPECT_EQ(manager->drawState, 0);
}

TEST_F(CadMgrDrawToolsTest, RightClickInTheRectangleToolChangesNothing) {
    manager->SetToolMode(CCadMgr::kRectangleTool);
    Press(Pixel({0, 0}));
    RightClick(Pixel({3, 3}));
    EXPECT_EQ(manager->drawState, 1);
    Release(Pixel({4, 4}));
    EXPECT_EQ(Elements().size(), 1u);
}

}  // namespace
