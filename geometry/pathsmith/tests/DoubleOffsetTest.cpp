// Zint_DoubleOffset: inner and outer outlines of closed contours, the outline around open ones.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "ContourTestKit.h"
#include "Pathsmith.h"

namespace pathsmith {
namespace {

using testing::CurveList;
using testing::Points;

struct DoubleOffsetRun {
    short status = -1;
    std::vector<Points> outlines;
};

DoubleOffsetRun RunDoubleOffset(const Points& contour, double distance, bool closed = true) {
    CDbList<CLineEx> segments;
    testing::FillSegments(segments, contour, closed);
    CurveList curves;
    DoubleOffsetRun run;
    run.status = Zint_DoubleOffset(&segments, &curves.list, distance);
    for (int index = 0; index < curves.Count(); ++index) {
        run.outlines.push_back(testing::VerticesOf(*curves.At(index)));
    }
    return run;
}

bool SameCorners(const Points& outline, const Points& corners) {
    Points distinct = outline;
    distinct.pop_back();
    if (distinct.size() != corners.size()) {
        return false;
    }
    return std::all_of(corners.begin(), corners.end(), [&](const SDPoint& c) {
        return std::any_of(distinct.begin(), distinct.end(),
                           [&](const SDPoint& v) { return std::hypot(v.x - c.x, v.y - c.y) < 1e-9; });
    });
}

TEST(DoubleOffsetTest, SquareGivesSquaresOfEightAndTwelve) {
    const DoubleOffsetRun run = RunDoubleOffset(testing::Rectangle(0, 0, 10, 10), 1.0);
    ASSERT_EQ(run.status, 0);
    ASSERT_EQ(run.outlines.size(), 2u);
    EXPECT_TRUE(SameCorners(run.outlines[0], testing::Rectangle(1, 1, 9, 9)));
    EXPECT_TRUE(SameCorners(run.outlines[1], testing::Rectangle(-1, -1, 11, 11)));
}

TEST(DoubleOffsetTest, HexagonOutlinesKeepSharpCorners) {
    const Points hexagon = testing::RegularPolygon({0, 0}, 10, 6);
    const DoubleOffsetRun run = RunDoubleOffset(hexagon, 1.0);
    ASSERT_EQ(run.status, 0);
    ASSERT_EQ(run.outlines.size(), 2u);
    const double apothem = 10 * std::cos(M_PI / 6);
    EXPECT_TRUE(
        SameCorners(run.outlines[0], testing::RegularPolygon({0, 0}, (apothem - 1) / std::cos(M_PI / 6), 6)));
    EXPECT_TRUE(
        SameCorners(run.outlines[1], testing::RegularPolygon({0, 0}, (apothem + 1) / std::cos(M_PI / 6), 6)));
}

TEST(DoubleOffsetTest, OpenPathGetsOneOutlineAroundIt) {
    const DoubleOffsetRun run = RunDoubleOffset({{0, 0}, {10, 0}, {10, 10}}, 1.0, false);
    ASSERT_EQ(run.status, 0);
    ASSERT_EQ(run.outlines.size(), 1u);
    const Points& outline = run.outlines[0];
    EXPECT_TRUE(SameCorners(outline, {{0, 1}, {9, 1}, {9, 10}, {11, 10}, {11, -1}, {0, -1}}));
    EXPECT_NEAR(std::fabs(testing::SignedArea(outline)), 2 * 20.0, 1e-9);
}

TEST(DoubleOffsetTest, NarrowWaistGivesTwoInnerOutlinesOfTheirOwn) {
    const Points dumbbell{{0, 0},   {10, 0},  {10, 4}, {20, 4}, {20, 0},  {30, 0},
                          {30, 10}, {20, 10}, {20, 6}, {10, 6}, {10, 10}, {0, 10}};
    const DoubleOffsetRun run = RunDoubleOffset(dumbbell, 1.5);
    ASSERT_EQ(run.status, 0);
    ASSERT_EQ(run.outlines.size(), 3u);
    EXPECT_NEAR(testing::SignedArea(run.outlines[0]), 7.0 * 7.0, 1e-9);
    EXPECT_NEAR(testing::SignedArea(run.outlines[1]), 7.0 * 7.0, 1e-9);
    // The outer outline: 33 x 13 less the two 7 x 4 bays above and below the waist.
    EXPECT_NEAR(testing::SignedArea(run.outlines[2]), 33.0 * 13.0 - 2 * 7.0 * 4.0, 1e-9);
}

TEST(DoubleOffsetTest, OutlinesOfRandomPolygonsKeepTheirDistance) {
    std::mt19937 random(4242);
    for (int trial = 0; trial < 200; ++trial) {
        const Points polygon = testing::RandomStarPolygon(random, 5 + trial % 30, 10.0, 40.0);
        const double distance = 0.5 + (trial % 5) * 0.5;
        const DoubleOffsetRun run = RunDoubleOffset(polygon, distance);
        ASSERT_EQ(run.status, 0);
        int outer = 0;
        for (const Points& outline : run.outlines) {
            const bool inside = testing::InsidePolygon(outline[0], polygon);
            outer += inside ? 0 : 1;
            for (const SDPoint& vertex : outline) {
                EXPECT_GE(testing::DistanceToPolygon(vertex, polygon), distance - 0.02) << "trial " << trial;
                EXPECT_EQ(testing::InsidePolygon(vertex, polygon), inside) << "trial " << trial;
            }
        }
        EXPECT_EQ(outer, 1) << "trial " << trial;
    }
}

TEST(DoubleOffsetTest, RefusesEmptyAndSelfCrossingContours) {
    CDbList<CLineEx> empty;
    CurveList curves;
    EXPECT_EQ(Zint_DoubleOffset(&empty, &curves.list, 1.0), 1);
    const DoubleOffsetRun eight = RunDoubleOffset({{0, 0}, {10, 10}, {10, 0}, {0, 10}}, 1.0);
    EXPECT_EQ(eight.status, 1);
    EXPECT_TRUE(eight.outlines.empty());
}

}  // namespace
}  // namespace pathsmith
