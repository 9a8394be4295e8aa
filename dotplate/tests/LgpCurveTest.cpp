#include "LgpCurve.h"

#include <gtest/gtest.h>

#include <numbers>

#include "GeometryTestHelpers.h"

namespace dotplate {
namespace {

using cutrix::testing::Bezier;
using cutrix::testing::ExpectPointNear;
using cutrix::testing::Line;

CLgpCurve OpenCurve(std::initializer_list<CFileLine> segments) {
    CLgpCurve curve;
    for (const CFileLine& segment : segments) {
        curve.AddSegment(segment);
    }
    curve.CalcBounds();
    return curve;
}

CLgpCurve Square(double size) {
    CLgpCurve square =
        OpenCurve({Line({0, 0}, {size, 0}), Line({size, 0}, {size, size}), Line({size, size}, {0, size}), Line({0, size}, {0, 0})});
    square.closed = 1;
    return square;
}

const CFileLine& First(const CLgpCurve& curve) { return curve.segments.head->next->value; }
const CFileLine& Last(const CLgpCurve& curve) { return curve.segments.head->prev->value; }

TEST(LgpCurveTest, CloseSnapsANearEndAndLeavesAFarOneOpen) {
    struct Case {
        double gap;
        bool addLine;
        int closed;
        int segments;
    };
    for (const Case& test : {Case{0.05, false, 1, 2}, Case{0.2, false, 0, 2}, Case{0.2, true, 1, 3}}) {
        SCOPED_TRACE(test.gap);
        CLgpCurve curve = OpenCurve({Line({0, 0}, {10, 0}), Line({10, 0}, {0, test.gap})});
        curve.Close(0.1, test.addLine);
        EXPECT_EQ(curve.closed, test.closed);
        EXPECT_EQ(curve.segments.GetCount(), test.segments);
        if (test.closed == 1) {
            ExpectPointNear(Last(curve).end, {0, 0});
        }
    }
}

TEST(LgpCurveTest, ReverseSwapsEndsAndBezierControls) {
    CLgpCurve line = OpenCurve({Line({1, 2}, {3, 4})});
    line.Reverse();
    ExpectPointNear(First(line).start, {3, 4});
    ExpectPointNear(First(line).end, {1, 2});

    CLgpCurve curve = OpenCurve({Line({0, 0}, {1, 0}), Bezier({1, 0}, {2, 0}, {2, 1}, {1, 1})});
    curve.Reverse();
    EXPECT_TRUE(First(curve).IsBezier());
    ExpectPointNear(First(curve).start, {1, 1});
    ExpectPointNear(First(curve).ctrl1, {2, 1});
    ExpectPointNear(Last(curve).end, {0, 0});
}

TEST(LgpCurveTest, BoundsFollowTheBezierNotItsControlPoints) {
    CLgpCurve curve = OpenCurve({Bezier({0, 0}, {0, 10}, {10, 10}, {10, 0})});
    EXPECT_NEAR(curve.bounds.top, 7.5, 0.01);  // the curve's peak, below the controls at 10
    EXPECT_EQ(curve.bounds.left, 0.0);
    EXPECT_EQ(curve.bounds.right, 10.0);
}

TEST(LgpCurveTest, FlattenKeepsTheCurveWithinItsFlatness) {
    CLgpCurve curve = OpenCurve({Bezier({0, 0}, {0, 100}, {100, 100}, {100, 0})});
    const CFileLine original = First(curve);
    curve.Flatten();
    EXPECT_GT(curve.segments.GetCount(), 10);
    for (auto* node = curve.segments.head->next; node != curve.segments.head; node = node->next) {
        EXPECT_FALSE(node->value.IsBezier());
    }
    ExpectPointNear(Last(curve).end, original.end);
}

TEST(LgpCurveTest, InsideTestUsesTheAngleSum) {
    CLgpCurve square = Square(10);
    EXPECT_EQ(square.IsPointInside({5, 5}), 1);
    EXPECT_EQ(square.IsPointInside({15, 5}), 0);
    CLgpCurve inner = Square(2);
    inner.Move(4, 4);
    EXPECT_EQ(square.Contains(inner), 1);
    EXPECT_EQ(inner.Contains(square), 0);
}

TEST(LgpCurveTest, VertexAngleIsSignedByTheTurn) {
    EXPECT_NEAR(VertexAngle({1, 0}, {0, 1}, {0, 0}), std::numbers::pi / 2, 1e-12);
    EXPECT_NEAR(VertexAngle({0, 1}, {1, 0}, {0, 0}), -std::numbers::pi / 2, 1e-12);
    EXPECT_EQ(VertexAngle({0.0005, 0}, {0, 1}, {0, 0}), 0.0);
}

TEST(LgpCurveTest, MatchEndsNamesTheFirstPairThatMeets) {
    const CFileLine a = Line({0, 0}, {1, 0});
    EXPECT_EQ(MatchEnds(a, Line({0, 0.05}, {5, 5}), 0.1), 1);
    EXPECT_EQ(MatchEnds(a, Line({5, 5}, {0, 0}), 0.1), 2);
    EXPECT_EQ(MatchEnds(a, Line({1, 0}, {5, 5}), 0.1), 3);
    EXPECT_EQ(MatchEnds(a, Line({5, 5}, {1, 0}), 0.1), 4);
    EXPECT_EQ(MatchEnds(a, Line({5, 5}, {6, 6}), 0.1), 0);
}

TEST(LgpCurveTest, TakeFrontAndBackJoinAndEmptyTheOther) {
    CLgpCurve middle = OpenCurve({Line({1, 0}, {2, 0})});
    CLgpCurve front = OpenCurve({Line({0, 0}, {1, 0})});
    CLgpCurve back = OpenCurve({Line({2, 0}, {3, 0})});
    middle.TakeFront(front);
    middle.TakeBack(back);
    EXPECT_TRUE(front.IsEmpty());
    EXPECT_TRUE(back.IsEmpty());
    ASSERT_EQ(middle.segments.GetCount(), 3);
    ExpectPointNear(First(middle).start, {0, 0});
    ExpectPointNear(Last(middle).end, {3, 0});
}

}  // namespace
}  // namespace dotplate
