// Ellipses as four Beziers and arcs as chains of lines.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "CurveTestHelpers.h"
#include "Geomcore.h"

using namespace geomcore_test;

namespace {

constexpr double kRadiansPerDegree = std::numbers::pi / 180.0;

TEST(EllipseToBezier, PointsOfTheInscribedEllipse) {
    SDPoint points[13];
    EXPECT_EQ(_math_elli2bezier(0, 0, 10, 20, points), 0);

    const double kx = 2.761423749154, ky = 5.522847498308;
    const SDPoint expected[13] = {{0, 10},       {0, 10 + ky}, {5 - kx, 20},  {5, 20},     {5 + kx, 20},
                                  {10, 10 + ky}, {10, 10},     {10, 10 - ky}, {5 + kx, 0}, {5, 0},
                                  {5 - kx, 0},   {0, 10 - ky}, {0, 10}};
    for (int i = 0; i < 13; ++i) {
        ExpectPointNear(points[i], expected[i], 1e-12);
    }
}

TEST(EllipseToBezier, QuartersStayCloseToTheCircle) {
    SDPoint points[13];
    _math_elli2bezier(-3, -3, 3, 3, points);
    for (int quarter = 0; quarter < 4; ++quarter) {
        const CFileLine bezier = Bezier(points[3 * quarter], points[3 * quarter + 1], points[3 * quarter + 2],
                                        points[3 * quarter + 3]);
        for (double t = 0.0; t <= 1.0; t += 0.125) {
            const SDPoint p = bezier.GetPoint(t);
            EXPECT_NEAR(std::hypot(p.x, p.y), 3.0, 3.0 * 3e-4);
        }
    }
}

// Every point lies on the circle, the chain is connected, and it runs from the start angle to the end
// angle exactly.
void ExpectArcChain(const FileLineList& list, SDPoint centre, double radius, double startDegrees,
                    double endDegrees) {
    const std::vector<CFileLine> lines = Records(list);
    ASSERT_FALSE(lines.empty());
    ExpectConnectedCurve(list, 0.0);
    for (const CFileLine& line : lines) {
        EXPECT_EQ(line.type, 0);
        EXPECT_NEAR(std::hypot(line.end.x - centre.x, line.end.y - centre.y), radius, 1e-9);
    }
    const double a = startDegrees * kRadiansPerDegree, b = endDegrees * kRadiansPerDegree;
    ExpectPointNear(lines.front().start, {centre.x + radius * std::cos(a), centre.y + radius * std::sin(a)},
                    1e-12);
    ExpectPointNear(lines.back().end, {centre.x + radius * std::cos(b), centre.y + radius * std::sin(b)},
                    1e-12);
}

TEST(ArcToLines, QuarterArcIsCutIntoTheRoundedCountOfSteps) {
    struct Case {
        double startDegrees, endDegrees;
    };
    for (const Case& c : {Case{0, 90}, Case{90, 0}, Case{-30, 400}}) {
        FileLineList list;
        EXPECT_EQ(_math_c_arc2line(&list, 2, 3, 10, c.startDegrees, c.endDegrees, 0.01), 0);
        ExpectArcChain(list, {2, 3}, 10, c.startDegrees, c.endDegrees);
        const double step = 2.0 * std::acos(1.0 - 0.01 / 10.0);
        EXPECT_EQ(list.count, std::lround(std::fabs(c.endDegrees - c.startDegrees) / step));
    }
}

TEST(ArcToLines, ToleranceOfTwiceTheRadiusCutsSmallArcsIntoOneLine) {
    FileLineList list;
    EXPECT_EQ(_math_c_arc2line(&list, 0, 0, 1, 10, 16.28, 2.0), 0);
    EXPECT_EQ(list.count, 1);
    list.RemoveAll();
    EXPECT_EQ(_math_c_arc2line(&list, 0, 0, 1, 10, 20, 2.0), 0);
    EXPECT_EQ(list.count, 2);
    ExpectArcChain(list, {0, 0}, 1, 10, 20);
}

TEST(ArcToLines, AppendsBehindWhatTheListHolds) {
    FileLineList list;
    AddRecords(list, {Line({-1, -1}, {10, 0})});
    EXPECT_EQ(_math_c_arc2line(&list, 0, 0, 10, 0, 45, 0.5), 0);
    EXPECT_EQ(Records(list).front().start.x, -1.0);
    ExpectConnectedCurve(list, 1e-12);
}

TEST(ArcToLines, Arc2LineWithToleranceZeroOrLessFailsInsteadOfLooping) {
    FileLineList list;
    EXPECT_EQ(_math_c_arc2line(&list, 0, 0, 10, 0, 90, 0.0), 1);
    EXPECT_EQ(_math_c_arc2line(&list, 0, 0, 10, 0, 90, -0.1), 1);
    EXPECT_EQ(_math_c_arc2line(&list, 0, 0, 10, 0, 90, std::nan("")), 1);
    EXPECT_EQ(list.IsEmpty(), 1);
}

TEST(ArcToLines, ZeroSweepAppendsNothing) {
    FileLineList list;
    EXPECT_EQ(_math_c_arc2line(&list, 0, 0, 10, 30, 30, 0.01), 0);
    EXPECT_EQ(list.IsEmpty(), 1);
}

TEST(ArcToLines, NonsenseArgumentsFailWithoutAppending) {
    FileLineList list;
    EXPECT_EQ(_math_c_arc2line(nullptr, 0, 0, 10, 0, 90, 0.01), 1);
    EXPECT_EQ(_math_c_arc2line(&list, 0, 0, -10, 0, 90, 0.01), 1);
    EXPECT_EQ(_math_c_arc2line(&list, 0, 0, 10, 0, std::numeric_limits<double>::infinity(), 0.01), 1);
    EXPECT_EQ(_math_c_arc2line(&list, 0, 0, 1e6, 0, 1e6, 1e-9), 1);  // billions of lines
    EXPECT_EQ(list.IsEmpty(), 1);
}

TEST(ArcToLines, ArcLeadEndsExactlyOnTheCurve) {
    FileLineList curve;
    AddRecords(curve, {Line({1, 2}, {4, 2})});
    CutInOutPara lead;
    lead.kind = 1;
    lead.length = 3.0;
    _math_c_getcutin(&curve, 0, 0, &lead);

    FileLineList leadLines;
    EXPECT_EQ(_math_c_arc2line(&leadLines, lead.arcCentre.x, lead.arcCentre.y, lead.radius,
                               lead.arcStartAngle, lead.arcEndAngle, 0.01),
              0);
    ExpectPointNear(Records(leadLines).back().end, {1, 2}, 1e-12);
}

}  // namespace
