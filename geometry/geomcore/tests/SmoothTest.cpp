// Smoothing: circle recognition, the corner-split spline fit (mode 0) and the greedy Bezier fit.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "CurveTestHelpers.h"
#include "Geomcore.h"

using namespace geomcore_test;

namespace {

constexpr int kCornerSplit = 0;
constexpr int kGreedyBezier = 1;

std::vector<CFileLine> Smoothed(FileLineList& source, double strength, int mode, double toleranceMm = 0.1) {
    FileLineList target;
    EXPECT_EQ(_math_c_smooth(&source, &target, toleranceMm, strength, mode, 0), 0);
    return Records(target);
}

bool PassesThrough(const std::vector<CFileLine>& records, SDPoint node) {
    for (const CFileLine& record : records) {
        if (std::hypot(record.end.x - node.x, record.end.y - node.y) < 1e-9) {
            return true;
        }
    }
    return false;
}

// Points of a large gentle arc, 10 degrees apart: every vertex turns by 10 degrees only.
std::vector<SDPoint> LongArcPoints() {
    std::vector<SDPoint> points;
    for (int i = 0; i < 10; ++i) {
        const double angle = i * 10.0 * std::numbers::pi / 180.0;
        points.push_back({100.0 * std::cos(angle), 100.0 * std::sin(angle)});
    }
    return points;
}

TEST(Smooth, StrengthZeroCopiesTheSourceUnchanged) {
    FileLineList source, target;
    AddPolyline(source, {{0, 0}, {1, 0}, {1, 1}, {0, 1}}, true);
    AddRecords(target, {Line({9, 9}, {8, 8})});
    const std::vector<CFileLine> before = Records(source);

    EXPECT_EQ(_math_c_smooth(&source, &target, 0.1, 0.0, kCornerSplit, 0), 0);

    ExpectSameRecords(Records(target), before);
    ExpectSameRecords(Records(source), before);
    EXPECT_EQ(target.count, 4);
}

TEST(Smooth, InPlaceWithStrengthZeroLeavesTheSourceAndEmptiesTheTarget) {
    FileLineList source, target;
    AddPolyline(source, {{0, 0}, {1, 0}, {1, 1}, {0, 1}}, true);
    AddRecords(target, {Line({9, 9}, {8, 8})});
    const std::vector<CFileLine> before = Records(source);

    EXPECT_EQ(_math_c_smooth(&source, &target, 0.1, 0.0, kCornerSplit, 1), 0);

    ExpectSameRecords(Records(source), before);
    EXPECT_EQ(target.IsEmpty(), 1);
    EXPECT_EQ(target.count, 0);
}

TEST(Smooth, FewerThanThreeRecordsAreCopied) {
    FileLineList source;
    AddRecords(source, {Line({0, 0}, {1, 0}), Line({1, 0}, {1, 1})});
    ExpectSameRecords(Smoothed(source, 1.0, kCornerSplit), Records(source));
}

TEST(Smooth, TracedCircleComesBackAsFourBeziersInBothModes) {
    for (int mode : {kCornerSplit, kGreedyBezier}) {
        FileLineList source;
        AddPolyline(source, CirclePoints({5, 5}, 8, 24), true);
        const std::vector<CFileLine> result = Smoothed(source, 0.5, mode);
        ASSERT_EQ(result.size(), 4u);
        for (const CFileLine& record : result) {
            EXPECT_EQ(record.type, CFileLine::kBezier);
        }
    }
}

TEST(Smooth, StrengthAboveOneActsAsOneAndToleranceChangesNothing) {
    for (int mode : {kCornerSplit, kGreedyBezier}) {
        FileLineList source;
        AddPolyline(source, {{0, 0}, {3, 1}, {6, 1.5}, {9, 1}, {12, 0}, {12, -5}, {0, -5}});
        const std::vector<CFileLine> reference = Smoothed(source, 1.0, mode, 0.1);
        ExpectSameRecords(Smoothed(source, 1.5, mode, 0.1), reference);
        ExpectSameRecords(Smoothed(source, 1.0, mode, 25.0), reference);
    }
}

TEST(Smooth, InPlacePutsTheResultIntoTheSource) {
    FileLineList source, target, expected;
    AddPolyline(source, LongArcPoints());
    AddPolyline(expected, LongArcPoints());
    AddRecords(target, {Line({9, 9}, {8, 8})});
    const std::vector<CFileLine> intoTarget = Smoothed(expected, 0.8, kGreedyBezier);

    EXPECT_EQ(_math_c_smooth(&source, &target, 0.1, 0.8, kGreedyBezier, 1), 0);

    ExpectSameRecords(Records(source), intoTarget);
    EXPECT_EQ(source.count, static_cast<int>(intoTarget.size()));
    EXPECT_EQ(target.IsEmpty(), 1);
}

TEST(Smooth, RefusesBadArgumentsWithoutChangingAnything) {
    FileLineList source, target;
    AddPolyline(source, {{0, 0}, {1, 0}, {1, 1}, {0, 1}}, true);
    AddRecords(target, {Line({9, 9}, {8, 8})});
    EXPECT_EQ(_math_c_smooth(&source, &source, 0.1, 1.0, kCornerSplit, 0), 1);
    EXPECT_EQ(_math_c_smooth(nullptr, &target, 0.1, 1.0, kCornerSplit, 0), 1);
    EXPECT_EQ(_math_c_smooth(&source, nullptr, 0.1, 1.0, kCornerSplit, 0), 1);
    source.head->next->value.end.x = std::nan("");
    EXPECT_EQ(_math_c_smooth(&source, &target, 0.1, 1.0, kCornerSplit, 0), 1);
    EXPECT_EQ(target.count, 1);
    EXPECT_EQ(Records(source).size(), 4u);
}

// --- corner-split spline fit -------------------------------------------------------------------

//          (10,10)
//             |          vertex (10,0) turns by 90 degrees: always a corner
//  (0,0)------+ (10,0)   vertex (10,0) of the second curve turns by 60 degrees (120 inside)
TEST(CornerSplitSmooth, CornerThresholdFollowsTheStrength) {
    const SDPoint corner{10, 0};
    const SDPoint bent{10 + 5 * std::cos(std::numbers::pi / 3), 5 * std::sin(std::numbers::pi / 3)};
    struct Case {
        SDPoint after;
        double strength;
        bool keepsCorner;
    };
    const Case cases[] = {
        {{10, 5}, 1.0, true}, {{10, 5}, 0.01, true}, {bent, 1.0, false}, {bent, 0.01, true}};
    for (const Case& c : cases) {
        FileLineList source;
        const SDPoint far{corner.x + 2 * (c.after.x - corner.x), 2 * c.after.y};
        AddPolyline(source, {{0, 0}, {5, 0}, corner, c.after, far});
        const std::vector<CFileLine> result = Smoothed(source, c.strength, kCornerSplit);
        EXPECT_EQ(PassesThrough(result, corner), c.keepsCorner) << c.after.x << " at " << c.strength;
        ExpectChained(result, 0.0);
        ExpectPointNear(result.front().start, {0, 0}, 1e-12);
        ExpectPointNear(result.back().end, far, 1e-12);
    }
}

// The spline's Beziers are many millimetres long, so one 0.1 step of a Bezier holds several chords:
// each chord must start where the last one ended and run forward, never back to the step's start.
TEST(CornerSplitSmooth, SmoothingLongBeziersCutsEqualChordsForwardOnly) {
    FileLineList source;
    AddPolyline(source, LongArcPoints());

    FileLineList target;
    EXPECT_EQ(_math_c_smooth(&source, &target, 0.1, 1.0, kCornerSplit, 0), 0);

    const std::vector<CFileLine> result = Records(target);
    ExpectConnectedCurve(target, 0.0);
    ASSERT_GT(result.size(), 400u);
    for (std::size_t i = 0; i + 1 < result.size(); ++i) {
        const double chord =
            std::hypot(result[i].end.x - result[i].start.x, result[i].end.y - result[i].start.y);
        ASSERT_NEAR(chord, 0.3, 0.001) << "line " << i;
        const double radius = std::hypot(result[i].end.x, result[i].end.y);
        const double previousAngle = std::atan2(result[i].start.y, result[i].start.x);
        EXPECT_GT(std::atan2(result[i].end.y, result[i].end.x), previousAngle) << "line " << i;
        EXPECT_NEAR(radius, 100.0, 1.0);
    }
    ExpectPointNear(result.front().start, {100, 0}, 1e-12);
    ExpectPointNear(result.back().end, LongArcPoints().back(), 1e-12);
}

TEST(CornerSplitSmooth, ClosedContourWithoutCornersStaysClosed) {
    std::vector<SDPoint> points = CirclePoints({0, 0}, 1, 30);
    for (SDPoint& point : points) {
        point = {point.x * 6.0, point.y * 3.0};  // an ellipse, never taken for a circle
    }
    FileLineList source;
    AddPolyline(source, points, true);

    FileLineList target;
    EXPECT_EQ(_math_c_smooth(&source, &target, 0.1, 0.5, kCornerSplit, 0), 0);

    const std::vector<CFileLine> result = Records(target);
    ExpectConnectedCurve(target, 0.0);
    ExpectPointNear(result.back().end, result.front().start, 1e-12);
    ExpectPointNear(result.front().start,
                    {(points.back().x + points.front().x) / 2, (points.back().y + points.front().y) / 2},
                    1e-12);
}

// --- greedy Bezier fit ---------------------------------------------------------------------------

TEST(GreedyBezierSmooth, ClosedSquareComesBackAsFourLines) {
    FileLineList source;
    AddPolyline(source, {{0, 0}, {4, 0}, {4, 4}, {0, 4}}, true);
    ExpectSameRecords(Smoothed(source, 1.0, kGreedyBezier), Records(source));
}

TEST(GreedyBezierSmooth, CollinearPointsComeBackAsOneLinePerEdge) {
    FileLineList source;
    AddPolyline(source, {{0, 0}, {1, 1}, {2, 2}, {4, 4}, {5, 5}});
    ExpectSameRecords(Smoothed(source, 1.0, kGreedyBezier), Records(source));
}

TEST(GreedyBezierSmooth, SpanWithNoFittingBezierBecomesLinesBetweenItsPoints) {
    FileLineList source;
    AddPolyline(source, {{0, 0}, {1, 0.2}, {2, 0}, {3, 0.2}, {4, 0}});
    ExpectSameRecords(Smoothed(source, 0.001, kGreedyBezier), Records(source));
}

TEST(GreedyBezierSmooth, GentleArcBecomesFewBeziersThatKeepTheEndsAndTheLastRecordsFields) {
    FileLineList source;
    AddPolyline(source, LongArcPoints());
    source.head->prev->value.attr1 = 5;
    source.head->prev->value.attr2 = 6;

    const std::vector<CFileLine> result = Smoothed(source, 1.0, kGreedyBezier);

    ASSERT_FALSE(result.empty());
    EXPECT_LT(result.size(), 9u);
    ExpectPointNear(result.front().start, {100, 0}, 1e-12);
    ExpectPointNear(result.back().end, LongArcPoints().back(), 1e-12);
    for (std::size_t i = 0; i < result.size(); ++i) {
        EXPECT_EQ(result[i].type, CFileLine::kBezier);
        EXPECT_EQ(result[i].attr1, 5);
        EXPECT_EQ(result[i].attr2, 6);
        for (double t = 0.0; t <= 1.0; t += 0.25) {
            const SDPoint p = result[i].GetPoint(t);
            EXPECT_NEAR(std::hypot(p.x, p.y), 100.0, 0.07 * 100.0);
        }
    }
}

}  // namespace
