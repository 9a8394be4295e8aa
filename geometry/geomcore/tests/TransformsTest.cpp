// Moves, rotations, skews, scalings, mirrors and copies of points, records and curves.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>
#include <string>

#include "CurveTestHelpers.h"
#include "Geomcore.h"

using namespace geomcore_test;

namespace {

using geomcore_test::PrintTo;

constexpr double kPi = std::numbers::pi;

struct TransformCase {
    std::string name;
    std::function<GeomStatus(FileLineList*)> apply;
    std::function<SDPoint(SDPoint)> expected;
};

// A line whose control points hold junk that no transform may touch, and a Bezier.
void FillSample(FileLineList& list) {
    CFileLine line = Line({1, 2}, {4, 6});
    line.ctrl1 = {100, 100};
    line.ctrl2 = {-100, -100};
    line.attr1 = 7;
    line.endJoint = 2;
    CFileLine bezier = Bezier({4, 6}, {5, 9}, {8, 9}, {9, 5});
    bezier.attr2 = 9;
    bezier.startJoint = 1;
    AddRecords(list, {line, bezier});
}

class CurveTransform : public testing::TestWithParam<TransformCase> {};

TEST_P(CurveTransform, MapsEveryNodeAndOnlyBezierControls) {
    FileLineList list;
    FillSample(list);
    const std::vector<CFileLine> before = Records(list);

    ASSERT_EQ(GetParam().apply(&list), 0);

    const std::vector<CFileLine> after = Records(list);
    ASSERT_EQ(after.size(), 2u);
    const auto& map = GetParam().expected;
    ExpectPointNear(after[0].start, map(before[0].start));
    ExpectPointNear(after[0].end, map(before[0].end));
    ExpectPointNear(after[0].ctrl1, before[0].ctrl1, 0.0);
    ExpectPointNear(after[0].ctrl2, before[0].ctrl2, 0.0);
    ExpectPointNear(after[1].start, map(before[1].start));
    ExpectPointNear(after[1].ctrl1, map(before[1].ctrl1));
    ExpectPointNear(after[1].ctrl2, map(before[1].ctrl2));
    ExpectPointNear(after[1].end, map(before[1].end));
    EXPECT_EQ(after[0].attr1, 7);
    EXPECT_EQ(after[0].endJoint, 2);
    EXPECT_EQ(after[1].attr2, 9);
    EXPECT_EQ(after[1].startJoint, 1);
}

SDPoint Rotated(SDPoint p, SDPoint c, double radians) {
    const double dx = p.x - c.x, dy = p.y - c.y;
    return {c.x + std::cos(radians) * dx - std::sin(radians) * dy,
            c.y + std::sin(radians) * dx + std::cos(radians) * dy};
}

INSTANTIATE_TEST_SUITE_P(
    Geomcore, CurveTransform,
    testing::Values(
        TransformCase{"Move", [](FileLineList* l) { return _math_c_move(l, 2.5, -1.0); },
                      [](SDPoint p) {
                          return SDPoint{p.x + 2.5, p.y - 1.0};
                      }},
        TransformCase{"QuarterTurnAboutPoint",
                      [](FileLineList* l) { return _math_c_rotate(l, 1.0, 1.0, kPi / 2); },
                      [](SDPoint p) {
                          return SDPoint{1.0 - (p.y - 1.0), 1.0 + (p.x - 1.0)};
                      }},
        TransformCase{"ClockwiseTurnAboutPoint",
                      [](FileLineList* l) { return _math_c_rotate(l, -3.0, 2.0, -0.7); },
                      [](SDPoint p) {
                          return Rotated(p, {-3.0, 2.0}, -0.7);
                      }},
        TransformCase{"MirrorAboutVerticalLine", [](FileLineList* l) { return _math_c_xmirror(l, 3.0); },
                      [](SDPoint p) {
                          return SDPoint{6.0 - p.x, p.y};
                      }},
        TransformCase{"MirrorAboutHorizontalLine", [](FileLineList* l) { return _math_c_ymirror(l, -1.0); },
                      [](SDPoint p) {
                          return SDPoint{p.x, -2.0 - p.y};
                      }},
        TransformCase{"SkewAlongX", [](FileLineList* l) { return _math_c_skew(l, 0.0, 2.0, kPi / 4, 0.0); },
                      [](SDPoint p) {
                          return SDPoint{p.x - (p.y - 2.0), p.y};
                      }},
        TransformCase{
            "SkewBothAxesFromOldPoint", [](FileLineList* l) { return _math_c_skew(l, 1.0, 2.0, 0.3, -0.2); },
            [](SDPoint p) {
                return SDPoint{p.x - std::tan(0.3) * (p.y - 2.0), p.y + std::tan(-0.2) * (p.x - 1.0)};
            }},
        TransformCase{"ScaleAboutPoint", [](FileLineList* l) { return _math_c_drag(l, 1.0, 2.0, 2.0, 0.5); },
                      [](SDPoint p) {
                          return SDPoint{1.0 + 2.0 * (p.x - 1.0), 2.0 + 0.5 * (p.y - 2.0)};
                      }}),
    [](const testing::TestParamInfo<TransformCase>& info) { return info.param.name; });

TEST(CurveTransform, IdentityArgumentsLeaveTheCurveBitForBit) {
    FileLineList list;
    FillSample(list);
    const std::vector<CFileLine> before = Records(list);

    EXPECT_EQ(_math_c_move(&list, 0.0, 0.0), 0);
    EXPECT_EQ(_math_c_rotate(&list, 5.0, 5.0, 0.0), 0);
    EXPECT_EQ(_math_c_skew(&list, 5.0, 5.0, 0.0, 0.0), 0);
    EXPECT_EQ(_math_c_drag(&list, 5.0, 5.0, 1.0, 1.0), 0);

    ExpectSameRecords(Records(list), before);
}

TEST(PointTransform, ScaleFactorOneLeavesThatCoordinateBitForBit) {
    double point[2] = {0.1 + 0.2, 7.3};
    const double originalX = point[0];

    EXPECT_EQ(_math_pt_drag(point, 0.3, 1.0, 1.0, 3.0), 0);

    EXPECT_EQ(point[0], originalX);
    EXPECT_DOUBLE_EQ(point[1], 1.0 + 3.0 * 6.3);
}

TEST(PointTransform, RotationIsCounterClockwiseInRadians) {
    double point[2] = {3.0, 1.0};
    _math_pt_rotate(point, 1.0, 1.0, kPi / 2);
    EXPECT_NEAR(point[0], 1.0, 1e-12);
    EXPECT_NEAR(point[1], 3.0, 1e-12);
}

TEST(RecordTransform, MoveOfALineLeavesItsControlPoints) {
    CFileLine line = Line({0, 0}, {1, 1});
    line.ctrl1 = {5, 5};
    EXPECT_EQ(_math_ln_move(&line, 1.0, 2.0), 0);
    ExpectPointNear(line.start, {1, 2});
    ExpectPointNear(line.end, {2, 3});
    ExpectPointNear(line.ctrl1, {5, 5}, 0.0);
}

TEST(CurveCopy, AppendsMovedCopiesAndLeavesTheSource) {
    FileLineList source, target;
    FillSample(source);
    AddRecords(target, {Line({-5, -5}, {-4, -4})});

    EXPECT_EQ(_math_c_copy(&source, &target, 1.0, 1.0), 0);

    const std::vector<CFileLine> copied = Records(target);
    ASSERT_EQ(copied.size(), 3u);
    EXPECT_EQ(target.count, 3);
    ExpectPointNear(copied[1].start, {2, 3});
    ExpectPointNear(copied[2].ctrl1, {6, 10});
    EXPECT_EQ(copied[2].attr2, 9);
    EXPECT_EQ(Records(source)[0].start.x, 1.0);
}

TEST(CurveCopy, CopyOntoItselfAppendsOneCopyOfEachRecord) {
    FileLineList list;
    FillSample(list);

    EXPECT_EQ(_math_c_copy(&list, &list, 10.0, 0.0), 0);

    const std::vector<CFileLine> records = Records(list);
    ASSERT_EQ(records.size(), 4u);
    ExpectPointNear(records[2].start, {11, 2});
    ExpectPointNear(records[3].end, {19, 5});
}

TEST(CurveTransform, MissingListGivesStatusOneAndEmptyListsStayEmpty) {
    EXPECT_EQ(_math_c_move(nullptr, 1.0, 1.0), 1);
    EXPECT_EQ(_math_c_rotate(nullptr, 0.0, 0.0, 1.0), 1);
    FileLineList empty;
    EXPECT_EQ(_math_c_xmirror(&empty, 1.0), 0);
    empty.Release();
    EXPECT_EQ(_math_c_drag(&empty, 0.0, 0.0, 2.0, 2.0), 0);
    EXPECT_EQ(_math_c_copy(&empty, &empty, 1.0, 1.0), 0);
}

}  // namespace
