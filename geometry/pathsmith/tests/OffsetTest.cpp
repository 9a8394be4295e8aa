// Zint_Offset and its engine: joins, notches, split rings, refusals and the distance property.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <random>
#include <thread>

#include "ContourTestKit.h"
#include "Pathsmith.h"

namespace pathsmith {
namespace {

using testing::CurveList;
using testing::Points;

using testing::OffsetRun;
using testing::RunOffset;

bool HasVertexNear(const Points& ring, SDPoint p, double tolerance = 1e-9) {
    return std::any_of(ring.begin(), ring.end(),
                       [&](const SDPoint& v) { return std::hypot(v.x - p.x, v.y - p.y) <= tolerance; });
}

double MaxDistanceError(const Points& ring, const Points& contour, double distance) {
    double worst = 0.0;
    for (const SDPoint& vertex : ring) {
        worst = std::max(worst, std::fabs(testing::DistanceToPolygon(vertex, contour) - distance));
    }
    return worst;
}

TEST(OffsetTest, RectangleGrowsWithMitredCorners) {
    const Points rectangle = testing::Rectangle(0, 0, 20, 10);
    for (const bool reversed : {false, true}) {
        Points contour = rectangle;
        if (reversed) {
            std::reverse(contour.begin(), contour.end());
        }
        const OffsetRun run = RunOffset(contour, 1.0, 0);
        ASSERT_EQ(run.status, 0);
        ASSERT_EQ(run.rings.size(), 1u);
        const Points& ring = run.rings[0];
        EXPECT_EQ(ring.size(), 5u) << "four corners and the closing vertex";
        for (const SDPoint corner : Points{{-1, -1}, {21, -1}, {21, 11}, {-1, 11}}) {
            EXPECT_TRUE(HasVertexNear(ring, corner)) << corner.x << "," << corner.y;
        }
    }
}

TEST(OffsetTest, RectangleShrinksInward) {
    const OffsetRun run = RunOffset(testing::Rectangle(0, 0, 20, 10), 2.0, 1);
    ASSERT_EQ(run.status, 0);
    ASSERT_EQ(run.rings.size(), 1u);
    for (const SDPoint corner : Points{{2, 2}, {18, 2}, {18, 8}, {2, 8}}) {
        EXPECT_TRUE(HasVertexNear(run.rings[0], corner)) << corner.x << "," << corner.y;
    }
}

TEST(OffsetTest, HexagonGetsRoundCornersWithinTheChordError) {
    const Points hexagon = testing::RegularPolygon({5, 5}, 10, 6);
    const double distance = 2.0;
    const OffsetRun run = RunOffset(hexagon, distance, 0);
    ASSERT_EQ(run.status, 0);
    ASSERT_EQ(run.rings.size(), 1u);
    const Points& ring = run.rings[0];
    EXPECT_GT(ring.size(), 6u * 4u) << "each corner is an arc of several chords";
    EXPECT_LT(MaxDistanceError(ring, hexagon, distance), 1e-9);
    for (std::size_t index = 0; index + 1 < ring.size(); ++index) {
        const SDPoint middle{(ring[index].x + ring[index + 1].x) / 2,
                             (ring[index].y + ring[index + 1].y) / 2};
        EXPECT_GE(testing::DistanceToPolygon(middle, hexagon), distance - 0.01 - 1e-9);
    }
}

TEST(OffsetTest, NearlyStraightTurnIsMitred) {
    // The turn at (10, 0) is about 0.57 degrees.
    const Points contour{{0, 0}, {10, 0}, {20, 0.1}, {20, 10}, {0, 10}};
    const OffsetRun run = RunOffset(contour, 1.0, 0);
    ASSERT_EQ(run.status, 0);
    ASSERT_EQ(run.rings.size(), 1u);
    const int nearTurn =
        static_cast<int>(std::count_if(run.rings[0].begin(), run.rings[0].end(),
                                       [](SDPoint v) { return std::fabs(v.x - 10) < 0.5 && v.y < 0; }));
    EXPECT_EQ(nearTurn, 1);
}

TEST(OffsetTest, NarrowNotchIsBridged) {
    // A 20 x 20 square with a notch 1 wide and 8 deep in the top edge.
    //   ____   ____
    //  |    | |    |
    //  |    |_|    |
    //  |___________|
    const Points contour{{0, 0}, {20, 0}, {20, 20}, {10.5, 20}, {10.5, 12}, {9.5, 12}, {9.5, 20}, {0, 20}};
    const OffsetRun run = RunOffset(contour, 1.0, 0);
    ASSERT_EQ(run.status, 0);
    ASSERT_EQ(run.rings.size(), 1u);
    for (const SDPoint& vertex : run.rings[0]) {
        EXPECT_FALSE(vertex.y < 20.5 && vertex.x > 8 && vertex.x < 12) << vertex.x << "," << vertex.y;
    }
}

TEST(OffsetTest, DumbbellShrinksIntoTwoRings) {
    // Two 10 x 10 squares joined by a neck 2 high.
    const Points dumbbell{{0, 0},   {10, 0},  {10, 4}, {20, 4}, {20, 0},  {30, 0},
                          {30, 10}, {20, 10}, {20, 6}, {10, 6}, {10, 10}, {0, 10}};
    const OffsetRun run = RunOffset(dumbbell, 1.5, 1);
    ASSERT_EQ(run.status, 0);
    ASSERT_EQ(run.rings.size(), 2u);
    for (const Points& ring : run.rings) {
        EXPECT_NEAR(testing::SignedArea(ring), 7.0 * 7.0, 1e-6);
    }
}

TEST(OffsetTest, SmallDistanceStillDropsLoopsInsideTheBand) {
    // A kerf-sized inward offset of a square with a chamfer shorter than the distance: the chamfer's
    // offset line turns back on itself and leaves a small loop beyond the corner, closer to the contour
    // than the distance. A band that began only a fixed slack below the distance would be empty for
    // such small distances and keep the loop.
    const Points contour{{0, 0}, {10, 0}, {10, 9.95}, {9.95, 10}, {0, 10}};
    const OffsetRun run = RunOffset(contour, 0.1, 1);
    ASSERT_EQ(run.status, 0);
    ASSERT_EQ(run.rings.size(), 1u);
    EXPECT_LT(MaxDistanceError(run.rings[0], contour, 0.1), 1e-6);
    EXPECT_TRUE(HasVertexNear(run.rings[0], {9.9, 9.9}, 1e-9));
}

TEST(OffsetTest, InwardBeyondTheInscribedRadiusLeavesNothing) {
    CDbList<CLineEx> segments;
    testing::FillSegments(segments, testing::Rectangle(0, 0, 4, 4));
    CurveList curves;
    EXPECT_EQ(Zint_Offset(&segments, &curves.list, 2.5, 1, 0), 1);
    EXPECT_EQ(curves.Count(), 0);
}

TEST(OffsetTest, OpenPolylineIsOffsetAlongItsLength) {
    const Points polyline{{0, 0}, {10, 0}, {10, 10}};
    const OffsetRun run = RunOffset(polyline, 1.0, 0, false);
    ASSERT_EQ(run.status, 0);
    ASSERT_EQ(run.rings.size(), 1u);
    const Points& ring = run.rings[0];
    // The polyline closed by a line back to its start turns counter-clockwise, so outward is to the right.
    EXPECT_TRUE(HasVertexNear(ring, {0, -1}));
    EXPECT_TRUE(HasVertexNear(ring, {11, 10}));
    EXPECT_TRUE(HasVertexNear(ring, {11, -1}));
    EXPECT_EQ(ring.size(), 3u) << "no join between the last and the first segment";
}

TEST(OffsetTest, ShortSegmentsLeaveTheCallersList) {
    CDbList<CLineEx> segments;
    testing::FillSegments(segments, {{0, 0}, {10, 0}, {10, 0.0004}, {10, 10}, {0, 10}});
    segments.AddTail(CLineEx(SDPoint{0, 0}, SDPoint{0, 0}));
    CurveList curves;
    ASSERT_EQ(Zint_Offset(&segments, &curves.list, 1.0, 0, 0), 0);
    EXPECT_EQ(segments.GetCount(), 4);
}

TEST(OffsetTest, ContourOfRepeatedPointsIsRefusedAndEmptied) {
    CDbList<CLineEx> segments;
    segments.AddTail(CLineEx(SDPoint{3, 3}, SDPoint{3, 3}));
    segments.AddTail(CLineEx(SDPoint{3, 3}, SDPoint{3, 3}));
    CurveList curves;
    EXPECT_EQ(Zint_Offset(&segments, &curves.list, 1.0, 0, 0), 1);
    EXPECT_TRUE(segments.IsEmpty());
    EXPECT_EQ(curves.Count(), 0);
}

TEST(OffsetTest, RefusedInputIsLeftAsItWas) {
    struct Case {
        const char* name;
        Points contour;
        double distance;
        int side;
    };
    const Case cases[] = {
        {"figure eight", {{0, 0}, {10, 10}, {10, 0}, {0, 10}}, 1.0, 0},
        {"negative distance", testing::Rectangle(0, 0, 10, 10), -1.0, 0},
        {"distance not a number", testing::Rectangle(0, 0, 10, 10), NAN, 0},
        {"unknown side", testing::Rectangle(0, 0, 10, 10), 1.0, 2},
    };
    for (const Case& c : cases) {
        CDbList<CLineEx> segments;
        testing::FillSegments(segments, c.contour);
        CurveList curves;
        EXPECT_EQ(Zint_Offset(&segments, &curves.list, c.distance, c.side, 0), 1) << c.name;
        EXPECT_EQ(segments.GetCount(), static_cast<int>(c.contour.size())) << c.name;
        EXPECT_EQ(curves.Count(), 0) << c.name;
    }
    CurveList curves;
    EXPECT_EQ(Zint_Offset(nullptr, &curves.list, 1.0, 0, 0), 1);
    CDbList<CLineEx> empty;
    EXPECT_EQ(Zint_Offset(&empty, &curves.list, 1.0, 0, 0), 1);
}

TEST(OffsetTest, TinyDistanceJoinsWithMiterInsteadOfDividingByZero) {
    const Points hexagon = testing::RegularPolygon({0, 0}, 10, 6);
    for (const double distance : {0.005, 0.003, 0.0}) {
        const OffsetRun run = RunOffset(hexagon, distance, 0);
        ASSERT_EQ(run.status, 0) << distance;
        ASSERT_EQ(run.rings.size(), 1u) << distance;
        EXPECT_EQ(run.rings[0].size(), 7u) << distance << ": six mitred corners and the closing vertex";
        for (const SDPoint& vertex : run.rings[0]) {
            EXPECT_TRUE(std::isfinite(vertex.x) && std::isfinite(vertex.y));
        }
    }
}

TEST(OffsetTest, CloseVerticesCollapse) {
    // A step of 0.0008 in the bottom edge gives offset vertices closer than 0.001.
    const Points contour{{0, 0}, {10, 0}, {10.0008, 0.0008}, {20, 0.0008}, {20, 10}, {0, 10}};
    const OffsetRun run = RunOffset(contour, 1.0, 1);
    ASSERT_EQ(run.status, 0);
    ASSERT_EQ(run.rings.size(), 1u);
    const Points& ring = run.rings[0];
    for (std::size_t index = 0; index + 1 < ring.size(); ++index) {
        EXPECT_FALSE(std::fabs(ring[index].x - ring[index + 1].x) <= 0.001 &&
                     std::fabs(ring[index].y - ring[index + 1].y) <= 0.001);
    }
}

// Corners within a degree of a right angle, and turns below a degree, are mitred, which puts their
// vertex farther out than the distance; the random polygons keep clear of both.
bool HasMitredCorner(const Points& polygon) {
    const double margin = 1.5 * M_PI / 180.0;
    for (std::size_t index = 0; index < polygon.size(); ++index) {
        const SDPoint a = polygon[index], b = polygon[(index + 1) % polygon.size()];
        const SDPoint c = polygon[(index + 2) % polygon.size()];
        const double turn = std::fabs(
            std::remainder(std::atan2(c.y - b.y, c.x - b.x) - std::atan2(b.y - a.y, b.x - a.x), 2.0 * M_PI));
        if (turn < margin || std::fabs(turn - M_PI / 2) < margin) {
            return true;
        }
    }
    return false;
}

TEST(OffsetTest, OffsetsOnSeveralThreadsAgree) {
    const Points gear = testing::NotchedCircle(30, 2, 24, 2000);
    const OffsetRun reference = RunOffset(gear, 0.7, 1);
    ASSERT_EQ(reference.status, 0);
    std::vector<std::thread> threads;
    std::atomic<int> mismatches{0};
    for (int thread = 0; thread < 4; ++thread) {
        threads.emplace_back([&] {
            for (int round = 0; round < 5; ++round) {
                const OffsetRun run = RunOffset(gear, 0.7, 1);
                if (run.rings.size() != reference.rings.size() ||
                    run.rings[0].size() != reference.rings[0].size()) {
                    ++mismatches;
                }
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(mismatches.load(), 0);
}

TEST(OffsetTest, VerticesOfRandomPolygonsLieAtTheDistance) {
    std::mt19937 random(20240611);
    int rings = 0;
    for (int trial = 0; trial < 300; ++trial) {
        Points polygon;
        do {
            polygon = testing::RandomStarPolygon(random, 5 + trial % 40, 10.0, 40.0);
        } while (HasMitredCorner(polygon));
        const double distance = 0.3 + (trial % 7) * 0.4;
        for (const int side : {0, 1}) {
            const OffsetRun run = RunOffset(polygon, distance, side);
            for (const Points& ring : run.rings) {
                ++rings;
                EXPECT_LT(MaxDistanceError(ring, polygon, distance), 0.01)
                    << "trial " << trial << " side " << side << " distance " << distance;
            }
        }
    }
    EXPECT_GT(rings, 500);
}

}  // namespace
}  // namespace pathsmith
