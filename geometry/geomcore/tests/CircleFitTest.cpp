// Circle recognition on closed contours.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "CurveTestHelpers.h"
#include "Geomcore.h"

using namespace geomcore_test;

namespace {

using geomcore_test::PrintTo;

constexpr double kTwoPi = 2.0 * std::numbers::pi;

struct Fit {
    GeomStatus status;
    int found;
    ArcRecord arc;
    std::vector<CFileLine> appended;
};

Fit FitContour(FileLineList& source) {
    FileLineList target;
    Fit fit{};
    fit.found = -1;
    fit.status = _math_c_arcfit(&source, &target, &fit.found, &fit.arc);
    fit.appended = Records(target);
    return fit;
}

// Four Beziers from the circle's left point through its top, as _math_elli2bezier gives them.
void ExpectCircleBeziers(const std::vector<CFileLine>& beziers, SDPoint centre, double radius) {
    ASSERT_EQ(beziers.size(), 4u);
    SDPoint expected[13];
    _math_elli2bezier(centre.x - radius, centre.y - radius, centre.x + radius, centre.y + radius, expected);
    for (int quarter = 0; quarter < 4; ++quarter) {
        EXPECT_EQ(beziers[quarter].type, CFileLine::kBezier);
        ExpectPointNear(beziers[quarter].start, expected[3 * quarter], 1e-9);
        ExpectPointNear(beziers[quarter].ctrl1, expected[3 * quarter + 1], 1e-9);
        ExpectPointNear(beziers[quarter].ctrl2, expected[3 * quarter + 2], 1e-9);
        ExpectPointNear(beziers[quarter].end, expected[3 * quarter + 3], 1e-9);
    }
    EXPECT_LT(beziers[0].start.x, centre.x);
    EXPECT_GT(beziers[0].end.y, centre.y);
}

TEST(CircleFit, SixteenLinePolygonTracedFromACircleBecomesFourBeziers) {
    FileLineList source;
    AddPolyline(source, CirclePoints({3, 4}, 10, 16), true);
    const std::vector<CFileLine> before = Records(source);

    const Fit fit = FitContour(source);

    EXPECT_EQ(fit.status, 0);
    EXPECT_EQ(fit.found, 1);
    EXPECT_NEAR(fit.arc.centre.x, 3.0, 1e-9);
    EXPECT_NEAR(fit.arc.centre.y, 4.0, 1e-9);
    EXPECT_NEAR(fit.arc.radius, 10.0, 1e-9);
    EXPECT_DOUBLE_EQ(fit.arc.sweep, kTwoPi);
    ExpectPointNear({fit.arc.start.x, fit.arc.start.y}, {13, 4}, 1e-9);
    ExpectPointNear({fit.arc.end.x, fit.arc.end.y}, {13, 4}, 1e-9);
    EXPECT_EQ(fit.arc.start.z, 0.0);
    ExpectCircleBeziers(fit.appended, {3, 4}, fit.arc.radius);
    ExpectSameRecords(Records(source), before);
}

TEST(CircleFit, ClockwiseContourGivesANegativeSweepAndTheSameBeziers) {
    std::vector<SDPoint> points = CirclePoints({0, 0}, 4, 40, 0.3);
    std::reverse(points.begin(), points.end());
    FileLineList source;
    AddPolyline(source, points, true);

    const Fit fit = FitContour(source);

    EXPECT_EQ(fit.status, 0);
    EXPECT_DOUBLE_EQ(fit.arc.sweep, -kTwoPi);
    ExpectCircleBeziers(fit.appended, {fit.arc.centre.x, fit.arc.centre.y}, fit.arc.radius);
    const double startAngle =
        std::atan2(fit.arc.start.y - fit.arc.centre.y, fit.arc.start.x - fit.arc.centre.x);
    EXPECT_NEAR(startAngle, std::atan2(points[0].y - fit.arc.centre.y, points[0].x - fit.arc.centre.x), 1e-9);
}

TEST(CircleFit, BezierCircleIsSampledAndRecognised) {
    FileLineList source;
    SDPoint points[13];
    _math_elli2bezier(-2, -2, 2, 2, points);
    for (int quarter = 0; quarter < 4; ++quarter) {
        source.AddTail(Bezier(points[3 * quarter], points[3 * quarter + 1], points[3 * quarter + 2],
                              points[3 * quarter + 3]));
    }
    const Fit fit = FitContour(source);
    EXPECT_EQ(fit.status, 0);
    EXPECT_NEAR(fit.arc.radius, 2.0, 1e-3);
}

struct RejectCase {
    const char* name;
    std::vector<SDPoint> outline;
    bool close;
};

std::vector<SDPoint> Ellipse(double rx, double ry, int count) {
    std::vector<SDPoint> points = CirclePoints({0, 0}, 1, count);
    for (SDPoint& point : points) {
        point = {point.x * rx, point.y * ry};
    }
    return points;
}

std::vector<SDPoint> WithBump(std::vector<SDPoint> points, double bumpMm) {
    points[5].x += bumpMm;
    return points;
}

const RejectCase kRejectCases[] = {
    {"SquareHasTooFewPoints", {{0, 0}, {10, 0}, {10, 10}, {0, 10}}, true},
    {"FifteenLinesAreTooFew", CirclePoints({0, 0}, 10, 15), true},
    {"OpenContour", CirclePoints({0, 0}, 10, 40), false},
    {"EllipseTwelvePercentWide", Ellipse(11.2, 10, 64), true},
    {"SixteenLinesOnALargeCircleDeviateTooFar", CirclePoints({0, 0}, 20, 16), true},
    {"SmallCircleWithABump", WithBump(CirclePoints({0, 0}, 3, 48), 0.3), true},
};

class CircleFitRejects : public testing::TestWithParam<RejectCase> {};

TEST_P(CircleFitRejects, AppendsNothing) {
    FileLineList source;
    AddPolyline(source, GetParam().outline, GetParam().close);
    const Fit fit = FitContour(source);
    EXPECT_EQ(fit.status, 1);
    EXPECT_EQ(fit.found, 0);
    EXPECT_TRUE(fit.appended.empty());
}

INSTANTIATE_TEST_SUITE_P(Geomcore, CircleFitRejects, testing::ValuesIn(kRejectCases),
                         [](const testing::TestParamInfo<RejectCase>& info) { return info.param.name; });

TEST(CircleFit, MissingPointersAndEmptySourceFail) {
    FileLineList source, target;
    int found = -1;
    ArcRecord arc;
    EXPECT_EQ(_math_c_arcfit(&source, &target, &found, &arc), 1);
    EXPECT_EQ(found, 0);
    AddPolyline(source, CirclePoints({0, 0}, 10, 16), true);
    EXPECT_EQ(_math_c_arcfit(nullptr, &target, &found, &arc), 1);
    EXPECT_EQ(_math_c_arcfit(&source, nullptr, &found, &arc), 1);
    EXPECT_EQ(_math_c_arcfit(&source, &target, nullptr, &arc), 1);
    EXPECT_EQ(target.IsEmpty(), 1);
}

}  // namespace
