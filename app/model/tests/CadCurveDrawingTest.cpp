// CCadCurve drawing: outline colours, fill, leads, the start and travel arrows, node boxes, the view test
// and the previews, checked on painted pixels or on the recorded calls.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "CadCurve.h"
#include "CadMgr.h"
#include "CadVectorLayer.h"
#include "GeometryTestHelpers.h"
#include "TestView.h"

namespace {

using cutrix::testing::AddPolyline;
using cutrix::testing::Bezier;
using platform::GdiCallKind;
using platform::Rgb;

constexpr platform::ColorRef kWhite = Rgb(255, 255, 255);
constexpr platform::ColorRef kRed = Rgb(255, 0, 0);
constexpr platform::ColorRef kBlue = Rgb(0, 0, 255);

CCadRect View(double x1, double y1, double x2, double y2) {
    return CCadRect(x1, y1, x2, y2, 0);
}

// The display switches back to their start values after each test.
class CurveDrawing : public ::testing::Test {
  protected:
    ~CurveDrawing() override {
        FillDisplayOn = 0;
        CutPickOn = 0;
        NodeEditOn = 0;
    }

    // The square (10, 10)-(20, 20), counter-clockwise from its lower-left corner.
    static void MakeSquare(CCadCurve& curve, bool closed) {
        AddPolyline(curve.pathList, {{10, 10}, {20, 10}, {20, 20}, {10, 20}}, closed);
        curve.closed = closed ? 1 : 0;
        curve.CalRect();
    }

    const CCadRect wholeView_ = View(0, 0, 40, 40);
};

TEST_F(CurveDrawing, OutlineIsTheColourUnselectedBlueSelectedAndCyanWhenAlreadyBlue) {
    struct Case {
        platform::ColorRef colour;
        int selected;
        platform::ColorRef expected;
    };
    for (const Case& c : {Case{Rgb(0, 160, 0), 0, Rgb(0, 160, 0)}, Case{Rgb(0, 160, 0), 1, kBlue},
                          Case{kBlue, 1, Rgb(0, 255, 255)}}) {
        TestView view = TestView::Painting();
        CCadCurve curve;
        MakeSquare(curve, true);
        curve.color = c.colour;
        curve.SetSelect(c.selected);
        curve.Draw(&view.mapDC, &view.drawDC, wholeView_, 0, 0, 0);
        EXPECT_EQ(view.ColourAt({15, 10}), c.expected) << std::hex << c.colour << " selected " << c.selected;
        EXPECT_EQ(view.drawDC.CurrentPen(), platform::Pen{});
    }
}

TEST_F(CurveDrawing, ModeOneDrawsTheOutlineDotted) {
    TestView view = TestView::Recording();
    CCadCurve curve;
    MakeSquare(curve, true);
    curve.color = Rgb(0, 160, 0);
    curve.SetSelect(1);
    curve.Draw(&view.mapDC, &view.drawDC, wholeView_, 0, 0, 1);
    ASSERT_FALSE(view.Calls().empty());
    EXPECT_EQ(view.Calls().back().state.pen, platform::Pen::Styled(platform::PenStyle::Dot, 1, Rgb(0, 160, 0)));
}

// Fill only for a closed curve on a scanning vector layer with the fill display on, mixed NOT-XOR in the
// layer colour over the white page, so the inside turns the layer colour.
TEST_F(CurveDrawing, FillsOnlyAClosedCurveOfAScanningLayerWithTheFillDisplayOn) {
    struct Case {
        bool closed;
        std::uint16_t workType;
        int fillDisplay;
        bool filled;
    };
    const platform::ColorRef layerColour = Rgb(200, 40, 40);
    for (const Case& c : {Case{true, VectorLayerParams::kScan, 1, true}, Case{true, VectorLayerParams::kScan, 0, false},
                          Case{true, VectorLayerParams::kCut, 1, false}, Case{false, VectorLayerParams::kScan, 1, false}}) {
        TestView view = TestView::Painting();
        CCadVectorLayer layer;
        layer.commonParams.COM_Color = layerColour;
        layer.vectorParams.COM_WorkType = c.workType;
        CCadCurve curve;
        MakeSquare(curve, c.closed);
        curve.layer = &layer;
        FillDisplayOn = c.fillDisplay;
        curve.Draw(&view.mapDC, &view.drawDC, wholeView_, 0, 0, 0);
        EXPECT_EQ(view.ColourAt({15, 15}) == layerColour, c.filled)
            << "closed " << c.closed << " work type " << c.workType << " fill display " << c.fillDisplay;
        EXPECT_EQ(view.drawDC.GetROP2(), platform::RasterOp::CopyPen);
    }
}

TEST_F(CurveDrawing, StraightLeadInIsRedWithAWhiteSevenPixelMarkerOnItsFreeEnd) {
    TestView view = TestView::Painting();
    CCadCurve curve;
    MakeSquare(curve, true);
    curve.leadIn.enabled = 1;
    curve.leadIn.leadPoint = {5, 5};
    curve.Draw(&view.mapDC, &view.drawDC, wholeView_, 0, 0, 0);

    EXPECT_EQ(view.ColourAt({7.5, 7.5}), kRed);
    const platform::Point marker = view.Pixel({5, 5});
    // Red border 7 pixels across, white inside.
    EXPECT_EQ(view.ColourAtPixel({marker.x - 3, marker.y}), kRed);
    EXPECT_EQ(view.ColourAtPixel({marker.x + 3, marker.y}), kRed);
    EXPECT_EQ(view.ColourAtPixel({marker.x - 4, marker.y}), kWhite);
    EXPECT_EQ(view.ColourAtPixel({marker.x + 4, marker.y}), kWhite);
    EXPECT_EQ(view.ColourAtPixel({marker.x + 1, marker.y + 1}), kWhite);
}

TEST_F(CurveDrawing, ArcLeadInEndsOnTheStartPixelOfTheCurve) {
    TestView view = TestView::Recording();
    CCadCurve curve;
    MakeSquare(curve, true);
    CCutInOutPara arcLead = CCadCurve::DefaultLead();
    arcLead.enabled = 1;
    arcLead.kind = 1;
    curve.SetCutInOutPara(arcLead, CCadCurve::DefaultLead());
    curve.Draw(&view.mapDC, &view.drawDC, wholeView_, 0, 0, 0);

    const platform::GdiCall* arc = nullptr;
    for (const platform::GdiCall& call : view.Calls()) {
        arc = call.kind == GdiCallKind::Arc && arc == nullptr ? &call : arc;
    }
    ASSERT_NE(arc, nullptr);
    EXPECT_EQ(arc->state.pen.color, kRed);
    const double radius = arc->arc.bounds.Width() / 2.0;
    const double endRadians = (arc->arc.startDegrees + arc->arc.sweepDegrees) * std::numbers::pi / 180.0;
    const double endX = (arc->arc.bounds.left + arc->arc.bounds.right) / 2.0 + radius * std::cos(endRadians);
    const double endY = (arc->arc.bounds.top + arc->arc.bounds.bottom) / 2.0 - radius * std::sin(endRadians);
    const platform::Point start = view.Pixel({10, 10});
    EXPECT_NEAR(endX, start.x, 1.0);
    EXPECT_NEAR(endY, start.y, 1.0);
}

TEST_F(CurveDrawing, NothingOutsideTheViewButACurveTouchingItsEdgeDraws) {
    struct Case {
        CCadRect view;
        bool drawn;
    };
    for (const Case& c : {Case{View(21, 0, 40, 40), false}, Case{View(20, 0, 40, 40), true},
                          Case{View(0, 0, 9.999, 40), false}, Case{View(0, 20, 40, 40), true}}) {
        TestView view = TestView::Recording();
        CCadCurve curve;
        MakeSquare(curve, true);
        curve.leadIn.enabled = 1;
        curve.SetSelect(1);
        NodeEditOn = 1;
        curve.Draw(&view.mapDC, &view.drawDC, c.view, 0, 0, 0);
        curve.DrawFrame(&view.mapDC, &view.drawDC, c.view, 1);
        EXPECT_EQ(!view.Calls().empty(), c.drawn) << c.view.x1 << " " << c.view.y1;
    }
}

// Arrays draw one curve at many offsets: the stored rectangle must not move with them.
TEST_F(CurveDrawing, DrawingAtAnOffsetLeavesTheRectangleWhereItIs) {
    TestView view = TestView::Painting();
    CCadCurve curve;
    MakeSquare(curve, true);
    for (int repaint = 0; repaint < 3; ++repaint) {
        curve.Draw(&view.mapDC, &view.drawDC, wholeView_, 15, 0, 0);
    }
    EXPECT_DOUBLE_EQ(curve.rect.x1, 10);
    EXPECT_DOUBLE_EQ(curve.rect.x2, 20);
    EXPECT_EQ(view.ColourAt({30, 10}), 0u);
    EXPECT_EQ(view.ColourAt({15, 10}), kWhite);
}

// An arrow is a move to one wing, a line to the tip and a line to the other wing; this is the tip of the
// arrow whose first line is the call given.
platform::Point ArrowTip(const std::vector<platform::GdiCall>& calls, std::size_t firstLine) {
    return calls.at(firstLine).points.at(1);
}

TEST_F(CurveDrawing, StartArrowSitsOnTheStartAndPointsAlongTheCut) {
    TestView view = TestView::Recording();
    CCadCurve curve;
    MakeSquare(curve, true);  // the cut leaves (10, 10) toward +x
    curve.SetSelect(1);
    CutPickOn = 1;
    curve.Draw(&view.mapDC, &view.drawDC, wholeView_, 0, 0, 0);

    const auto& calls = view.Calls();
    ASSERT_GE(calls.size(), 3u);
    ASSERT_EQ(calls[1].kind, GdiCallKind::LineTo);
    EXPECT_EQ(calls[1].state.pen.color, kRed);
    const platform::Point start = view.Pixel({10, 10});
    EXPECT_EQ(ArrowTip(calls, 1), start);
    EXPECT_LT(calls[0].points[0].x, start.x);
    EXPECT_LT(calls[2].points[1].x, start.x);
}

TEST_F(CurveDrawing, TravelLineRunsToTheEntryWithAnArrowTowardTheCurveAndHandsOnTheExit) {
    TestView view = TestView::Recording();
    CCadCurve curve;
    AddPolyline(curve.pathList, {{10, 10}, {20, 10}, {20, 20}});
    curve.CalRect();
    SDPoint pen{0, 10};
    curve.DrawPath(&view.mapDC, &view.drawDC, &pen);

    const auto& calls = view.Calls();
    ASSERT_EQ(calls.size(), 5u);
    EXPECT_EQ(calls[1].points[1], view.Pixel({10, 10}));
    EXPECT_EQ(calls[1].state.pen, platform::Pen::Styled(platform::PenStyle::Dot, 1, Rgb(0, 128, 255)));
    // Tip at the middle of the link (5, 10), wings behind it toward the previous exit.
    const platform::Point middle = view.Pixel({5, 10});
    EXPECT_EQ(ArrowTip(calls, 3), middle);
    EXPECT_LT(calls[2].points[0].x, middle.x);
    EXPECT_LT(calls[4].points[1].x, middle.x);
    EXPECT_DOUBLE_EQ(pen.x, 20);
    EXPECT_DOUBLE_EQ(pen.y, 20);
}

TEST_F(CurveDrawing, TravelLineFromTheStartItselfHasNoArrowAndAnEmptyCurveKeepsThePen) {
    TestView view = TestView::Recording();
    CCadCurve curve;
    SDPoint pen{3, 4};
    curve.DrawPath(&view.mapDC, &view.drawDC, &pen);
    EXPECT_TRUE(view.Calls().empty());
    EXPECT_DOUBLE_EQ(pen.x, 3);

    AddPolyline(curve.pathList, {{10, 10}, {20, 10}});
    pen = {10, 10};
    curve.DrawPath(&view.mapDC, &view.drawDC, &pen);
    EXPECT_EQ(view.Calls().size(), 2u);  // the link's move and line, no arrow
}

TEST_F(CurveDrawing, NodeBoxesAreWhiteWithTheCurrentNodeOrangeAndItsHandlesShown) {
    struct Case {
        int selectedNode;
        int orangeBoxes;
        // Dotted handle lines: both of the segment ending at the node, both of the next one; the last
        // node shows its outgoing handle mirrored.
        int handleLines;
    };
    for (const Case& c : {Case{0, 0, 0}, Case{1, 1, 2}, Case{2, 1, 4}, Case{3, 1, 3}}) {
        TestView view = TestView::Recording();
        CCadCurve curve;
        // Node 1 (0, 0), node 2 (10, 0), node 3 (20, 0); both segments Beziers.
        curve.pathList.AddTail(Bezier({0, 0}, {2, 3}, {8, 3}, {10, 0}));
        curve.pathList.AddTail(Bezier({10, 0}, {12, -3}, {18, -3}, {20, 0}));
        curve.CalRect();
        curve.selectedNode = c.selectedNode;
        curve.DrawNodes(&view.mapDC, &view.drawDC, Rgb(0, 160, 0));

        int boxes = 0, orange = 0, handles = 0;
        for (const platform::GdiCall& call : view.Calls()) {
            if (call.kind == GdiCallKind::Rectangle && call.rect.Width() == 7) {
                ++boxes;
                orange += call.state.brush.color == Rgb(255, 128, 0) ? 1 : 0;
            }
            handles += call.kind == GdiCallKind::LineTo && call.state.pen.style == platform::PenStyle::Dot ? 1 : 0;
        }
        EXPECT_EQ(boxes, 3) << c.selectedNode;
        EXPECT_EQ(orange, c.orangeBoxes) << c.selectedNode;
        EXPECT_EQ(handles, c.handleLines) << c.selectedNode;
    }
}

TEST_F(CurveDrawing, FrameBoxesStandOnEveryNodeOfASelectedCurveWhileEditing) {
    TestView view = TestView::Recording();
    CCadCurve curve;
    MakeSquare(curve, true);
    curve.DrawFrame(&view.mapDC, &view.drawDC, wholeView_, 1);
    EXPECT_TRUE(view.Calls().empty());  // not selected
    curve.SetSelect(1);
    curve.DrawFrame(&view.mapDC, &view.drawDC, wholeView_, 1);
    EXPECT_TRUE(view.Calls().empty());  // neither display on
    NodeEditOn = 1;
    curve.DrawFrame(&view.mapDC, &view.drawDC, wholeView_, 1);
    ASSERT_EQ(view.Calls().size(), 5u);
    EXPECT_EQ(view.Calls()[0].rect, (platform::Rect{97, 297, 104, 304}));
    EXPECT_EQ(view.Calls()[0].state.brush.color, kWhite);
}

TEST_F(CurveDrawing, PreviewsDrawTransformedCopiesAndLeaveTheCurve) {
    TestView view = TestView::Recording();
    CCadCurve curve;
    AddPolyline(curve.pathList, {{1, 0}, {2, 0}});
    curve.CalRect();
    curve.DrawMove(&view.drawDC, 1, 1);
    curve.DrawRotate(&view.drawDC, 0, 0, 0.0);
    curve.DrawSkew(&view.drawDC, 0, 0, 0.0, 0.0);
    curve.DrawRotate(&view.drawDC, 0, 0, std::numbers::pi / 2);
    const auto& calls = view.Calls();
    ASSERT_EQ(calls.size(), 4u);
    EXPECT_EQ(calls[0].points[0], (platform::Point{2000, 1000}));
    EXPECT_EQ(calls[1].points[1], (platform::Point{3000, 1000}));
    EXPECT_EQ(calls[3].points[1].x, 0);
    EXPECT_EQ(calls[3].points[1].y, 2000);
    EXPECT_DOUBLE_EQ(curve.pathList.head->next->value.start.x, 1);
}

}  // namespace
