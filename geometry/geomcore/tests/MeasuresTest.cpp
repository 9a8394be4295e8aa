// Distances, extents, angles, collinearity, rounding and point-in-polygon.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "CurveTestHelpers.h"
#include "Geomcore.h"

using namespace geomcore_test;

namespace {

constexpr double kPi = std::numbers::pi;

TEST(Distance, IsEuclidean) {
    double distance = -1.0;
    EXPECT_EQ(_math_dis(1, 1, 4, 5, &distance), 0);
    EXPECT_DOUBLE_EQ(distance, 5.0);
}

TEST(RecordExtent, BezierBulgeCountsButControlPointsDoNot) {
    double rect[4] = {};
    EXPECT_EQ(_math_ln_getrect(Bezier({0, 0}, {0, 10}, {10, 10}, {10, 0}), rect), 0);
    EXPECT_DOUBLE_EQ(rect[0], 0.0);
    EXPECT_DOUBLE_EQ(rect[1], 0.0);
    EXPECT_DOUBLE_EQ(rect[2], 10.0);
    EXPECT_GT(rect[3], 7.49);  // the top of the curve is 7.5 at t = 0.5
    EXPECT_LE(rect[3], 7.5);
}

TEST(RecordExtent, LineIsTheBoxOfItsEnds) {
    double rect[4] = {};
    _math_ln_getrect(Line({3, -1}, {-2, 4}), rect);
    EXPECT_EQ(rect[0], -2.0);
    EXPECT_EQ(rect[1], -1.0);
    EXPECT_EQ(rect[2], 3.0);
    EXPECT_EQ(rect[3], 4.0);
}

TEST(RecordExtent, NonFiniteBezierEndsInsteadOfSamplingForever) {
    double rect[4] = {};
    const double nan = std::nan("");
    EXPECT_EQ(_math_ln_getrect(Bezier({0, 0}, {nan, 1}, {2, 2}, {3, 0}), rect), 0);
}

TEST(CurveExtent, IsTheUnionOfRecordsAndEmptyListLeavesTheOutput) {
    FileLineList list;
    double rect[4] = {9, 9, 9, 9};
    EXPECT_EQ(_math_c_getrect(&list, rect), 0);
    EXPECT_EQ(rect[0], 9.0);

    AddRecords(list, {Line({0, 0}, {2, 1}), Line({2, 1}, {-1, 5})});
    _math_c_getrect(&list, rect);
    EXPECT_EQ(rect[0], -1.0);
    EXPECT_EQ(rect[1], 0.0);
    EXPECT_EQ(rect[2], 2.0);
    EXPECT_EQ(rect[3], 5.0);
}

TEST(PointToLineDistance, FollowsTheCaseOfTheLine) {
    struct Case {
        CFileLine line;
        SDPoint point;
        double expected;
    };
    const Case cases[] = {
        {Line({1, 1}, {1.0005, 1.0005}), {4, 5}, 5.0},   // a point-like line: distance to its start
        {Line({2, 0}, {2.0005, 10}), {5, 3}, 3.0},       // vertical within 0.001
        {Line({0, 2}, {10, 2.0005}), {4, 7}, 5.0},       // horizontal within 0.001
        {Line({0, 0}, {1, 1}), {0, 2}, std::sqrt(2.0)},  // the infinite line, beyond the segment too
        {Line({0, 0}, {1, 1}), {5, 5}, 0.0},
    };
    for (const Case& c : cases) {
        double distance = -1.0;
        EXPECT_EQ(_math_ln_pt2lndis(c.line, c.point.x, c.point.y, &distance), 0);
        EXPECT_NEAR(distance, c.expected, 1e-12);
    }
}

TEST(DirectionAngle, CoversAllQuadrantsInDegrees) {
    struct Case {
        double dx, dy, expected;
    };
    const Case cases[] = {
        {0, 0, 0},  {0, 2, 90},   {0, -2, 270},  {3, 0, 0},    {-3, 0, 180},
        {1, 1, 45}, {-1, 1, 135}, {-1, -1, 225}, {1, -1, 315}, {1, -1e-9, 360 - 5.729577951308232e-8}};
    for (const Case& c : cases) {
        double degrees = -1.0;
        EXPECT_EQ(_math_calangle(10, 20, 10 + c.dx, 20 + c.dy, &degrees), 0);
        EXPECT_NEAR(degrees, c.expected, 1e-9) << c.dx << ", " << c.dy;
    }
}

TEST(ThreePointAngle, CoincidentPointsGiveZero) {
    double radians = 5.0;
    EXPECT_EQ(_math_cal3ptangle(0, 0, 0.0005, 0, 3, 3, &radians), 0);
    EXPECT_EQ(radians, 0.0);
    radians = 5.0;
    _math_cal3ptangle(1, 1, 0, 0, 1.0002, 1.0002, &radians);
    EXPECT_EQ(radians, 0.0);
}

TEST(ThreePointAngle, OppositeTurnsHaveOppositeSignsAndSumToAFullTurnAroundAPoint) {
    double left = 0.0, right = 0.0;
    _math_cal3ptangle(1, 0, 0, 0, 0, 1, &left);
    _math_cal3ptangle(0, 1, 0, 0, 1, 0, &right);
    EXPECT_NEAR(std::fabs(left), kPi / 2, 1e-12);
    EXPECT_DOUBLE_EQ(left, -right);

    // Walking a square around an inside point adds up to a full turn; outside it adds up to 0.
    const SDPoint square[] = {{0, 0}, {4, 0}, {4, 4}, {0, 4}};
    for (const auto& [point, expected] : {std::pair{SDPoint{1, 3}, 2 * kPi}, std::pair{SDPoint{9, 1}, 0.0}}) {
        double sum = 0.0;
        for (int i = 0; i < 4; ++i) {
            const SDPoint a = square[i], b = square[(i + 1) % 4];
            double angle = 0.0;
            _math_cal3ptangle(a.x, a.y, point.x, point.y, b.x, b.y, &angle);
            sum += angle;
        }
        EXPECT_NEAR(std::fabs(sum), expected, 1e-9);
    }
}

TEST(Collinearity, MiddlePointMustLieOnTheSegment) {
    struct Case {
        SDPoint p1, p2, p3;
        int expected;
    };
    const Case cases[] = {
        {{0, 0}, {0.0005, 0.0005}, {5, 7}, 1},  // P2 on P1
        {{0, 0}, {5, 7}, {5.0002, 7}, 1},       // P2 on P3
        {{0, 0}, {1, 1}, {2, 2}, 1},
        {{0, 0}, {3, 3}, {2, 2}, 0},  // on the line but outside the span
        {{0, 0}, {1, 1.01}, {2, 2}, 0},
        {{0, 0}, {0.0002, 3}, {0, 5}, 1},  // vertical
        {{0, 0}, {0.0002, 6}, {0, 5}, 0},
        {{0, 1}, {3, 1.0004}, {5, 1}, 1},  // horizontal
        {{0, 1}, {-3, 1}, {5, 1}, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(_math_Is3ponline(c.p1.x, c.p1.y, c.p2.x, c.p2.y, c.p3.x, c.p3.y), c.expected)
            << c.p2.x << ", " << c.p2.y;
    }
}

TEST(InteriorAngle, DegreesWithStraightAndDegenerateCases) {
    struct Case {
        SDPoint p1, p2, p3;
        double expected;
    };
    const Case cases[] = {
        {{0, 0}, {1, 0}, {2, 0}, 180.0},
        {{0, 0}, {1, 0}, {1, 1}, 90.0},
        {{0, 0}, {1, 0}, {2, std::sqrt(3.0)}, 120.0},
        {{0, 0}, {1, 0}, {0.5, 0.001}, 0.11459},
        {{0, 0}, {0, 0}, {1, 1}, 0.0},
        {{0, 0}, {1, 0}, {1.005, 0.005}, 0.0},
    };
    for (const Case& c : cases) {
        double degrees = -1.0;
        EXPECT_EQ(_math_get3Pangle(c.p1.x, c.p1.y, c.p2.x, c.p2.y, c.p3.x, c.p3.y, &degrees), 0);
        EXPECT_NEAR(degrees, c.expected, 1e-3);
    }
}

TEST(Rounding, RoundsHalfAwayFromZeroForOneToTenDecimals) {
    struct Case {
        double value;
        std::int16_t decimals;
        double expected;
    };
    const Case cases[] = {{2.3451, 2, 2.35}, {-2.3451, 2, -2.35},    {2.3449, 2, 2.34},
                          {1.5, 0, 1.5},     {1.23456, 11, 1.23456}, {-7.25, 1, -7.3}};
    for (const Case& c : cases) {
        double value = c.value;
        EXPECT_EQ(_math_double2float(&value, c.decimals), 0);
        EXPECT_DOUBLE_EQ(value, c.expected);
    }
}

TEST(Rounding, Double2FloatWithTenDecimalsDoesNotOverflow) {
    double value = 123.45678901234;
    EXPECT_EQ(_math_double2float(&value, 10), 0);
    EXPECT_DOUBLE_EQ(value, 123.4567890123);
    value = -98765.4321;
    _math_double2float(&value, 6);
    EXPECT_DOUBLE_EQ(value, -98765.4321);
}

TEST(Rounding, ResultsThatFittedA32BitIntegerStayTheSame) {
    for (double value : {0.123456789012, -0.2, 3.14159265, 21.4748, -0.0004999}) {
        for (std::int16_t decimals = 1; decimals <= 10; ++decimals) {
            const double scale = std::pow(10.0, decimals);
            const double scaled = value * scale + (value >= 0 ? 0.5 : -0.5);
            if (std::fabs(scaled) >= 2147483647.0) {
                continue;
            }
            double rounded = value;
            _math_double2float(&rounded, decimals);
            EXPECT_EQ(rounded, static_cast<int>(scaled) / scale) << value << " to " << decimals;
        }
    }
}

TEST(PointInPolygon, CountsCrossingsToTheRight) {
    const int square[] = {0, 0, 10, 0, 10, 10, 0, 10};
    struct Case {
        int x, y, expected;
    };
    // On the bottom edge (the lowest y) only that edge's neighbours count: inside between them,
    // outside to their left.
    const Case cases[] = {{5, 5, 1}, {15, 5, 0}, {-1, 5, 0}, {5, 0, 1}, {-5, 0, 0}, {5, 10, 0}, {5, -1, 0}};
    for (const Case& c : cases) {
        EXPECT_EQ(_math_ptinpolygon(c.x, c.y, square, 4), c.expected) << c.x << ", " << c.y;
    }
    EXPECT_EQ(_math_ptinpolygon(5, 5, nullptr, 4), 0);
}

TEST(PointInPolygon, LargeLogicalCoordinatesDoNotOverflow) {
    const int triangle[] = {0, 0, 2000000000, 0, 0, 2000000000};
    EXPECT_EQ(_math_ptinpolygon(900000000, 900000000, triangle, 3), 1);
    EXPECT_EQ(_math_ptinpolygon(1100000000, 1000000000, triangle, 3), 0);
}

}  // namespace
