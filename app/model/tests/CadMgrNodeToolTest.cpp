// The node-editing tool driven by a scripted mouse: picking curves and nodes, dragging nodes and
// handles, the node rubber band and the double-clicks.
#include "CanvasFixture.h"

namespace {

using platform::Point;

class CadMgrNodeToolTest : public CanvasFixture {
  protected:
    void SetUp() override {
        CanvasFixture::SetUp();
        manager->SetToolMode(CCadMgr::kNodeTool);
    }
    CCadCurve* AddClosedSquare() { return AddCurve({{0, 0}, {20, 0}, {20, 20}, {0, 20}}, true); }
    std::vector<SDPoint> Nodes() const {
        std::vector<SDPoint> nodes;
        for (auto* entry = manager->nodeSelList.head->next; entry != manager->nodeSelList.head;
             entry = entry->next) {
            const CFileLine& segment = entry->value.segment->value;
            nodes.push_back(entry->value.param == 1.0 ? segment.end : segment.start);
        }
        return nodes;
    }
};

TEST_F(CadMgrNodeToolTest, FirstClickSelectsTheCurveAndASecondItsNode) {
    CCadCurve* curve = AddClosedSquare();
    EXPECT_EQ(NodeEditOn, 1);
    Click(Pixel({20, 0}));
    EXPECT_EQ(Selected(), (std::vector<CCadElement*>{curve}));
    EXPECT_TRUE(Nodes().empty());
    Click(Pixel({20, 0}));
    ASSERT_EQ(Nodes().size(), 1u);
    ExpectNear(Nodes()[0], {20, 0});
}

TEST_F(CadMgrNodeToolTest, DraggingAClosedCurvesStartNodeMovesItOnce) {
    CCadCurve* curve = AddClosedSquare();
    Click(Pixel({10, 0}));
    Click(Pixel({0, 0}));
    Drag(Pixel({0, 0}), Pixel({2, 1}));
    const std::vector<CFileLine> segments = Segments(curve);
    ExpectNear(segments[0].start, {2, 1});
    ExpectNear(segments[3].end, {2, 1});
    ExpectNear(segments[0].end, {20, 0});
    EXPECT_EQ(canvas.PostedNumbers().back(), kDrawingModifiedMessage);
}

TEST_F(CadMgrNodeToolTest, ShiftClickKeepsTheFirstNodeAndBothMoveTogether) {
    CCadCurve* curve = AddCurve({{0, 0}, {10, 0}, {20, 0}, {30, 0}});
    Click(Pixel({5, 0}));
    Click(Pixel({10, 0}));
    Click(Pixel({20, 0}), kShift);
    EXPECT_EQ(Nodes().size(), 2u);
    Drag(Pixel({10, 0}), Pixel({10, 3}));
    const std::vector<CFileLine> segments = Segments(curve);
    ExpectNear(segments[1].start, {10, 3});
    ExpectNear(segments[1].end, {20, 3});
    ExpectNear(segments[2].end, {30, 0});
}

TEST_F(CadMgrNodeToolTest, BandAroundAnOpenCurveOfThreeSegmentsSelectsFourNodes) {
    AddCurve({{0, 0}, {10, 0}, {10, 10}, {20, 10}});
    Click(Pixel({5, 0}));
    Drag(Pixel({-5, 15}), Pixel({25, -5}));
    EXPECT_EQ(Nodes().size(), 4u);
}

// The band marks a closed curve's start and its last end, one node seen twice; a drag must move it once.
TEST_F(CadMgrNodeToolTest, BandAroundAClosedCurveMovesItsStartNodeOnce) {
    CCadCurve* curve = AddClosedSquare();
    Click(Pixel({10, 0}));
    Drag(Pixel({-5, 25}), Pixel({25, -5}));
    EXPECT_EQ(Nodes().size(), 5u);
    Drag(Pixel({0, 0}), Pixel({1, 1}));
    const std::vector<CFileLine> segments = Segments(curve);
    ExpectNear(segments[0].start, {1, 1});
    ExpectNear(segments[3].end, {1, 1});
    ExpectNear(segments[1].start, {21, 1});
    ExpectNear(segments[2].end, {1, 21});
}

TEST_F(CadMgrNodeToolTest, DoubleClickOnASelectedNodeDeletesItAndOnTheOutlineInsertsOne) {
    CCadCurve* curve = AddCurve({{0, 0}, {10, 0}, {20, 0}, {30, 0}});
    Click(Pixel({5, 0}));
    DoubleClick(Pixel({15, 0}));
    EXPECT_EQ(Segments(curve).size(), 4u);
    Click(Pixel({10, 0}));
    DoubleClick(Pixel({10, 0}));
    EXPECT_EQ(Segments(curve).size(), 3u);
}

TEST_F(CadMgrNodeToolTest, PressBetweenNodesShowsThePointMark) {
    AddCurve({{0, 0}, {10, 0}});
    Click(Pixel({5, 0}));
    Click(Pixel({4, 0}));
    EXPECT_EQ(manager->pointMarkVisible, 1u);
    EXPECT_EQ(manager->nodeDragKind, CCadMgr::kGrabbedOutline);
    ExpectNear(manager->pointMark, {4, 0}, 1e-6);
}

TEST_F(CadMgrNodeToolTest, RightClickEmptiesBothSelections) {
    AddClosedSquare();
    Click(Pixel({10, 0}));
    Click(Pixel({0, 0}));
    RightClick(Pixel({50, 50}));
    EXPECT_TRUE(Selected().empty());
    EXPECT_TRUE(Nodes().empty());
    EXPECT_EQ(canvas.PostedNumbers().back(), kSelectionMovedMessage);
}

TEST_F(CadMgrNodeToolTest, HoverReportsNodeOutlineOrNothing) {
    AddCurve({{0, 0}, {10, 0}});
    Click(Pixel({5, 0}));
    canvas.Clear();
    MoveTo(Pixel({10, 0}));
    MoveTo(Pixel({5, 0}));
    MoveTo(Pixel({5, 9}));
    std::vector<std::intptr_t> answers;
    for (const platform::PostedMessage& posted : canvas.Posted()) {
        EXPECT_EQ(posted.message, CCadMgr::kNodeHoverMessage);
        answers.push_back(posted.lParam);
    }
    EXPECT_EQ(answers, (std::vector<std::intptr_t>{1, 2, 0}));
}

TEST_F(CadMgrNodeToolTest, DraggingAHandleAtASymmetricJointMirrorsItsNeighbour) {
    CCadCurve* curve = Add(std::make_unique<CCadCurve>());
    CFileLine first;
    first.type = CFileLine::kBezier;
    first.start = {0, 0};
    first.ctrl1 = {0, 5};
    first.ctrl2 = {5, 10};
    first.end = {10, 10};
    first.endJoint = CFileLine::kJointSymmetric;
    CFileLine second = first;
    second.start = {10, 10};
    second.ctrl1 = {15, 10};
    second.ctrl2 = {20, 5};
    second.end = {20, 0};
    second.startJoint = CFileLine::kJointSymmetric;
    curve->pathList.AddTail(first);
    curve->pathList.AddTail(second);
    curve->CalRect();
    Click(Pixel({0, 0}));
    Click(Pixel({10, 10}));
    ASSERT_EQ(Nodes().size(), 1u);
    Drag(Pixel({15, 10}), Pixel({15, 13}));
    const std::vector<CFileLine> segments = Segments(curve);
    ExpectNear(segments[1].ctrl1, {15, 13});
    ExpectNear(segments[0].ctrl2, {5, 7});
}

TEST_F(CadMgrNodeToolTest, EveryToolChangeClearsTheNodeSelection) {
    AddClosedSquare();
    Click(Pixel({10, 0}));
    Click(Pixel({0, 0}));
    manager->SetToolMode(CCadMgr::kNodeTool);
    EXPECT_TRUE(Nodes().empty());
}

}  // namespace
