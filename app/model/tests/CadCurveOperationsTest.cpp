// CCadCurve operations: transforms with what they refresh, picks of segments, start point and direction,
// node insertion, resizing, the near-circle and self-crossing tests, closing and the lead blocks.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "CadCurve.h"
#include "GeometryTestHelpers.h"
#include "SettingsRecords.h"
#include "TestView.h"

namespace {

using cutrix::testing::AddPolyline;
using cutrix::testing::Bezier;
using cutrix::testing::CirclePoints;
using cutrix::testing::ExpectPointNear;
using cutrix::testing::Line;
using cutrix::testing::Records;

void MakePolyline(CCadCurve& curve, const std::vector<SDPoint>& points, bool closed) {
    AddPolyline(curve.pathList, points, closed);
    curve.closed = closed ? 1 : 0;
    curve.CalRect();
}

// The square (0, 0)-(10, 10), counter-clockwise from (0, 0), with a straight lead-in of 5 mm.
class SquareCurve : public ::testing::Test {
  protected:
    SquareCurve() {
        MakePolyline(curve_, {{0, 0}, {10, 0}, {10, 10}, {0, 10}}, true);
        CCutInOutPara lead = CCadCurve::DefaultLead();
        lead.enabled = 1;
        curve_.SetCutInOutPara(lead, CCadCurve::DefaultLead());
    }

    SDPoint Start() const { return curve_.pathList.head->next->value.start; }

    CCadCurve curve_;
};

TEST_F(SquareCurve, TransformsRefreshTheRectangleAndTheLeadsAsEachOneMust) {
    struct Case {
        const char* name;
        void (*apply)(CCadCurve&);
        double x1, y1, x2, y2;
        bool leadsFollow;
    };
    const Case cases[] = {
        {"move", [](CCadCurve& c) { c.TransMove(5, -2); }, 5, -2, 15, 8, true},
        {"scale 1, 1", [](CCadCurve& c) { c.TransDrag(1.0, 1.0, 0, 0); }, 0, 0, 10, 10, false},
        {"scale y", [](CCadCurve& c) { c.TransDrag(1.0, 2.0, 0, 0); }, 0, 0, 10, 20, true},
        {"rotate", [](CCadCurve& c) { c.TransRotate(0, 0, std::numbers::pi / 2); }, -10, 0, 0, 10, true},
        {"skew", [](CCadCurve& c) { c.TransSkew(0, 0, 0, std::numbers::pi / 4); }, 0, 0, 10, 20, false},
        {"mirror x", [](CCadCurve& c) { c.XMirror(20); }, 30, 0, 40, 10, true},
        {"mirror y", [](CCadCurve& c) { c.YMirror(-1); }, 0, -12, 10, -2, true},
    };
    for (const Case& c : cases) {
        CCadCurve curve;
        ASSERT_EQ(curve.CopyFrom(&curve_, 0, 0), 1);
        // A marker value that only a recomputation replaces.
        curve.leadIn.leadPoint = {-99, -99};
        c.apply(curve);
        CCadRect rect = curve.rect;
        rect.Normalize();
        EXPECT_NEAR(rect.x1, c.x1, 1e-9) << c.name;
        EXPECT_NEAR(rect.y1, c.y1, 1e-9) << c.name;
        EXPECT_NEAR(rect.x2, c.x2, 1e-9) << c.name;
        EXPECT_NEAR(rect.y2, c.y2, 1e-9) << c.name;
        EXPECT_EQ(curve.leadIn.leadPoint.x != -99, c.leadsFollow) << c.name;
    }
}

TEST_F(SquareCurve, MoveAddsToTheRectangleInsteadOfRecomputingIt) {
    curve_.rect = CCadRect(-1, -1, 11, 11, 0);  // a rectangle that a recomputation would shrink
    curve_.TransMove(1, 1);
    EXPECT_DOUBLE_EQ(curve_.rect.x1, 0);
    EXPECT_DOUBLE_EQ(curve_.rect.x2, 12);
}

TEST_F(SquareCurve, ApplyMatrixMapsEveryPointAndLeavesTheLeads) {
    const SDPoint leadPoint = curve_.leadIn.leadPoint;
    curve_.ApplyMatrix(2, 0, 0.5, 1);
    const std::vector<CFileLine> records = Records(curve_.pathList);
    ExpectPointNear(records[1].start, {20, 5});
    ExpectPointNear(records[2].start, {20, 15});
    EXPECT_DOUBLE_EQ(curve_.rect.x2, 20);
    EXPECT_DOUBLE_EQ(curve_.rect.y2, 15);
    ExpectPointNear(curve_.leadIn.leadPoint, leadPoint);
}

// Picks in logical units on the recording view (10 pixels per mm: 4 pixels are 0.4 mm).
TEST_F(SquareCurve, HitTestFindsTheOutlineWithinFourPixels) {
    TestView view = TestView::Recording();
    struct Case {
        SDPoint point;
        int hit;
    };
    for (const Case& c : {Case{{5, 0.3}, 1}, Case{{5, -0.3}, 1}, Case{{5, 0.5}, 0}, Case{{5, 5}, 0},
                          Case{{10.25, 10.25}, 1}, Case{{10.3, 10.3}, 0}, Case{{-1, 5}, 0}}) {
        EXPECT_EQ(curve_.HitTest(c.point.x * 1000, c.point.y * 1000, &view.mapDC), c.hit) << c.point.x << " " << c.point.y;
    }
}

TEST_F(SquareCurve, StartPickOnAClosedCurveMakesThePickedSegmentFirstAndRecomputesTheLeads) {
    TestView view = TestView::Recording();
    curve_.leadIn.leadPoint = {-99, -99};
    EXPECT_EQ(curve_.HitTestPath(0, 0, &view.mapDC, 1), 1);  // the first segment's start: order kept
    ExpectPointNear(Start(), {0, 0});
    EXPECT_NE(curve_.leadIn.leadPoint.x, -99);

    EXPECT_EQ(curve_.HitTestPath(10000, 10000, &view.mapDC, 1), 1);  // the third segment's start
    const std::vector<CFileLine> records = Records(curve_.pathList);
    ASSERT_EQ(records.size(), 4u);
    ExpectPointNear(records[0].start, {10, 10});
    ExpectPointNear(records[1].start, {0, 10});
    ExpectPointNear(records[2].start, {0, 0});
    ExpectPointNear(records[3].start, {10, 0});
    EXPECT_EQ(curve_.pathList.GetCount(), 4);
    cutrix::testing::ExpectChained(records);

    EXPECT_EQ(curve_.HitTestPath(5000, 5000, &view.mapDC, 1), 0);  // inside, off the outline
}

TEST(CadCurvePick, StartPickOnAnOpenCurveReversesItOnlyNearItsEnd) {
    TestView view = TestView::Recording();
    CCadCurve curve;
    MakePolyline(curve, {{0, 0}, {10, 0}, {10, 10}}, false);
    EXPECT_EQ(curve.HitTestPath(10000, 5000, &view.mapDC, 1), 1);
    ExpectPointNear(curve.pathList.head->next->value.start, {0, 0});
    EXPECT_EQ(curve.HitTestPath(10000, 9800, &view.mapDC, 1), 1);
    ExpectPointNear(curve.pathList.head->next->value.start, {10, 10});
}

TEST(CadCurvePick, DirectionPickReversesAHitCurve) {
    TestView view = TestView::Recording();
    CCadCurve curve;
    MakePolyline(curve, {{0, 0}, {10, 0}}, false);
    EXPECT_EQ(curve.HitTestPath(3000, 3000, &view.mapDC, 0), 0);
    EXPECT_EQ(curve.HitTestPath(3000, 0, &view.mapDC, 0), 1);
    ExpectPointNear(curve.pathList.head->next->value.start, {10, 0});
}

TEST_F(SquareCurve, HitNodeGivesTheSegmentIndexAndParameter) {
    int index = -1;
    double t = -1;
    ASSERT_EQ(curve_.HitNode(10.05, 2.5, 0.1, &index, &t), 1);
    EXPECT_EQ(index, 1);
    EXPECT_NEAR(t, 0.25, 1e-3);
    EXPECT_EQ(curve_.HitNode(5, 5, 0.1, &index, &t), 0);
    EXPECT_EQ(curve_.HitNode(50, 0, 0.1, &index, &t), 0);
}

TEST(CadCurveAddNode, SplitsTheHitSegmentInPlaceUnlessThePointIsANode) {
    struct Case {
        SDPoint point;
        int result;
        std::size_t segments;
    };
    for (const Case& c : {Case{{5, 0}, 1, 4}, Case{{10, 0}, 1, 3}, Case{{0, 0.05}, 1, 3}, Case{{5, 3}, 0, 3},
                          Case{{10, 5}, 1, 4}}) {
        CCadCurve curve;
        MakePolyline(curve, {{0, 0}, {10, 0}, {10, 10}, {0, 10}}, false);
        EXPECT_EQ(curve.AddNode(c.point.x, c.point.y, 0.1), c.result);
        const std::vector<CFileLine> records = Records(curve.pathList);
        ASSERT_EQ(records.size(), c.segments) << c.point.x << " " << c.point.y;
        EXPECT_EQ(curve.pathList.GetCount(), static_cast<int>(c.segments));
        cutrix::testing::ExpectChained(records);
        ExpectPointNear(records.front().start, {0, 0});
        ExpectPointNear(records.back().end, {0, 10});
        if (c.segments == 4) {
            const bool onFirst = c.point.y == 0;
            ExpectPointNear(records[onFirst ? 0 : 1].end, c.point);
        }
    }
}

TEST(CadCurveAddNode, SplittingABezierKeepsItsShape) {
    CCadCurve curve;
    curve.pathList.AddTail(Bezier({0, 0}, {0, 10}, {10, 10}, {10, 0}));
    curve.CalRect();
    const SDPoint top = curve.pathList.head->next->value.GetPoint(0.5);
    ASSERT_EQ(curve.AddNode(top.x, top.y, 0.01), 1);
    const std::vector<CFileLine> records = Records(curve.pathList);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_TRUE(records[0].IsBezier() && records[1].IsBezier());
    ExpectPointNear(records[0].GetPoint(0.5), CFileLine(Bezier({0, 0}, {0, 10}, {10, 10}, {10, 0})).GetPoint(0.25), 0.05);
}

TEST(CadCurveResize, ChangesEachSideByTheAmountInThousandthsOfAMillimetre) {
    struct Case {
        const char* name;
        double width;
        std::uint16_t grow;
        double amount;
        double expectedWidth;
    };
    for (const Case& c : {Case{"below ten", 10, 1, 5, 10}, Case{"grow", 10, 1, 100, 10.2},
                          Case{"shrink", 10, 0, 100, 9.8}, Case{"held at 500", 10, 1, 800, 11},
                          Case{"would turn over", 0.5, 0, 300, 0.5},
                          // The change equals the extent: a factor of 0 would collapse the curve to a line.
                          Case{"would collapse", 0.6, 0, 300, 0.6}}) {
        CCadCurve curve;
        MakePolyline(curve, {{0, 0}, {c.width, 0}, {c.width, 20}, {0, 20}}, true);
        curve.ResizeAboutCenter(c.grow, c.amount);
        EXPECT_NEAR(curve.rect.x2 - curve.rect.x1, c.expectedWidth, 1e-9) << c.name;
        EXPECT_NEAR((curve.rect.x1 + curve.rect.x2) / 2, c.width / 2, 1e-9) << c.name;
    }
}

TEST(CadCurveShape, CircleLikeMeansClosedAndSquareWithinFivePercent) {
    struct Case {
        double width, height;
        bool closed;
        int expected;
    };
    for (const Case& c : {Case{10, 10.4, true, 1}, Case{10, 10.6, true, 0}, Case{10, 10, false, 0}, Case{10, 0, true, 0}}) {
        CCadCurve curve;
        MakePolyline(curve, {{0, 0}, {c.width, 0}, {c.width, c.height}, {0, c.height}}, c.closed);
        EXPECT_EQ(curve.IsCircleLike(), c.expected) << c.width << " x " << c.height;
    }
}

// A pentagram drawn as one closed path, as a star tool or an import gives it.
std::vector<SDPoint> Pentagram() {
    const std::vector<SDPoint> corners = CirclePoints({50, 50}, 40, 5, std::numbers::pi / 2);
    return {corners[0], corners[2], corners[4], corners[1], corners[3]};
}

TEST(CadCurveShape, SelfCrossingIsFoundButNeitherTheClosingJointNorNeighbours) {
    struct Case {
        const char* name;
        std::vector<SDPoint> points;
        bool closed;
        int expected;
    };
    const Case cases[] = {
        {"figure eight", {{0, 0}, {10, 10}, {10, 0}, {0, 10}}, true, 1},
        {"square", {{0, 0}, {10, 0}, {10, 10}, {0, 10}}, true, 0},
        {"pentagram", Pentagram(), true, 1},
        {"sharp turn back", {{0, 0}, {10, 0}, {0, 0.1}}, false, 0},
        {"regular 64-gon", CirclePoints({0, 0}, 20, 64), true, 0},
        {"empty", {}, false, 0},
    };
    for (const Case& c : cases) {
        CCadCurve curve;
        if (!c.points.empty()) {
            MakePolyline(curve, c.points, c.closed);
        }
        EXPECT_EQ(curve.IsSelfCross(), c.expected) << c.name;
    }
}

TEST(CadCurveShape, SelfCrossingOfBeziers) {
    // A circle of four Beziers does not cross itself; a loop whose Bezier swings across the base does.
    CCadCurve circle;
    SDPoint points[13];
    _math_elli2bezier(0, 0, 20, 20, points);
    for (int piece = 0; piece < 4; ++piece) {
        circle.pathList.AddTail(Bezier(points[3 * piece], points[3 * piece + 1], points[3 * piece + 2], points[3 * piece + 3]));
    }
    circle.closed = 1;
    EXPECT_EQ(circle.IsSelfCross(), 0);

    CCadCurve loop;
    loop.pathList.AddTail(Line({0, 0}, {10, 0}));
    loop.pathList.AddTail(Line({10, 0}, {10, 5}));
    loop.pathList.AddTail(Bezier({10, 5}, {-5, 5}, {20, -10}, {0, 5}));
    EXPECT_EQ(loop.IsSelfCross(), 1);
}

TEST(CadCurveClose, AutoCloseClosesWithinTheToleranceAndCheckClosedUsesTheDrawingWideError) {
    CCadCurve nearlyClosed;
    MakePolyline(nearlyClosed, {{0, 0}, {10, 0}, {10, 10}, {0.05, 0}}, false);
    gFileParaSettings.closeErrorMm = 0.1;
    EXPECT_EQ(nearlyClosed.CheckClosed(), 1);

    CCadCurve open;
    MakePolyline(open, {{0, 0}, {10, 0}, {10, 10}, {1, 0}}, false);
    open.AutoClose(0.1, 0);
    EXPECT_EQ(open.closed, 0);
    open.AutoClose(2.0, 0);
    EXPECT_EQ(open.closed, 1);
}

TEST(CadCurveSmooth, ReplaceZeroLeavesThePathAndFillsTheSmoothList) {
    CCadCurve curve;
    MakePolyline(curve, CirclePoints({0, 0}, 10, 24), true);
    const std::size_t segments = Records(curve.pathList).size();
    EXPECT_EQ(curve.Smooth(0.3, 0, 1), 0);
    EXPECT_EQ(Records(curve.pathList).size(), segments);
    EXPECT_FALSE(curve.smoothList.IsEmpty());
}

TEST(CadCurveLink, LinkingMovesTheOtherCurvesSegmentsAndEmptiesIt) {
    CCadCurve left, right;
    MakePolyline(left, {{0, 0}, {1, 0}}, false);
    MakePolyline(right, {{1, 0}, {2, 0}}, false);
    left.LinkRight(&right);
    EXPECT_EQ(Records(left.pathList).size(), 2u);
    EXPECT_TRUE(right.pathList.IsEmpty());
}

}  // namespace
