// Lead-in and lead-out lines: straight leads and quarter arcs tangent to the curve at its ends.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "CurveTestHelpers.h"
#include "Geomcore.h"

using namespace geomcore_test;

namespace {

using geomcore_test::PrintTo;

constexpr double kRadiansPerDegree = std::numbers::pi / 180.0;

// A curve that starts at (1, 2) heading along +x and ends at (4, 6) heading along +y.
void FillCurve(FileLineList& list) {
    AddRecords(list, {Line({1, 2}, {4, 2}), Line({4, 2}, {4, 6})});
}

CutInOutPara StraightLead(std::uint16_t lineMode, double length, double angle) {
    CutInOutPara lead;
    lead.lineMode = lineMode;
    lead.length = length;
    lead.angle = angle;
    return lead;
}

struct StraightCase {
    const char* name;
    bool leadIn;
    CutInOutPara lead;
    SDPoint expected;
};

const StraightCase kStraightCases[] = {
    {"InContinuesTheFirstRecordBackwards", true, StraightLead(0, 5, 0), {-4, 2}},
    {"InTurnedCounterClockwise", true, StraightLead(0, 5, 90), {1, -3}},
    {"InOfLengthZeroIsTheAnchor", true, StraightLead(0, 0, 30), {1, 2}},
    {"InFromTheGivenPointWhateverTheLength", true, StraightLead(1, 5, 45), {20, 30}},
    {"InTowardTheGivenPoint",
     true,
     StraightLead(2, 5, 0),
     {1 + 5 * 19 / std::hypot(19, 28), 2 + 5 * 28 / std::hypot(19, 28)}},
    {"OutContinuesTheLastRecordForwards", false, StraightLead(0, 3, 0), {4, 9}},
    {"OutTurnedClockwise", false, StraightLead(0, 3, -90), {7, 6}},
    {"OutTowardTheGivenPoint",
     false,
     StraightLead(7, 10, 0),
     {4 + 10 * 16 / std::hypot(16, 24), 6 + 10 * 24 / std::hypot(16, 24)}},
};

class StraightLeadLine : public testing::TestWithParam<StraightCase> {};

TEST_P(StraightLeadLine, WritesTheLeadPointOnly) {
    FileLineList list;
    FillCurve(list);
    CutInOutPara lead = GetParam().lead;
    lead.radius = 42.0;

    const auto compute = GetParam().leadIn ? _math_c_getcutin : _math_c_getcutout;
    EXPECT_EQ(compute(&list, 20.0, 30.0, &lead), 0);

    ExpectPointNear(lead.leadPoint, GetParam().expected, 1e-12);
    EXPECT_EQ(lead.radius, 42.0);
}

INSTANTIATE_TEST_SUITE_P(Geomcore, StraightLeadLine, testing::ValuesIn(kStraightCases),
                         [](const testing::TestParamInfo<StraightCase>& info) { return info.param.name; });

TEST(StraightLeadLine, ZeroLengthFirstRecordLeadsAlongMinusX) {
    FileLineList list;
    AddRecords(list, {Line({3, 3}, {3, 3}), Line({3, 3}, {8, 9})});
    CutInOutPara lead = StraightLead(0, 2, 0);
    _math_c_getcutin(&list, 0, 0, &lead);
    ExpectPointNear(lead.leadPoint, {1, 3}, 0.0);
}

TEST(StraightLeadLine, BezierDirectionComesFromTheCurveNotFromAControlOnTheStart) {
    FileLineList list;
    AddRecords(list, {Bezier({0, 0}, {0, 0}, {10, 10}, {10, 0})});
    CutInOutPara lead = StraightLead(0, 1, 0);
    _math_c_getcutin(&list, 0, 0, &lead);

    CFileLine bezier = Records(list)[0];
    const SDPoint inside = bezier.GetPoint(0.01);
    const double length = std::hypot(inside.x, inside.y);
    ExpectPointNear(lead.leadPoint, {-inside.x / length, -inside.y / length}, 1e-12);
}

struct ArcCase {
    const char* name;
    bool leadIn;
    std::uint16_t side;
};

class ArcLeadLine : public testing::TestWithParam<ArcCase> {};

// The arc has the lead's length as a quarter circle, passes through the anchor with the curve's own
// direction of travel there, and spans a quarter turn.
TEST_P(ArcLeadLine, IsAQuarterCircleTangentAtTheAnchor) {
    FileLineList list;
    FillCurve(list);
    CutInOutPara lead;
    lead.kind = 1;
    lead.side = GetParam().side;
    lead.length = 4.0;
    lead.leadPoint = {-7, -7};

    const bool leadIn = GetParam().leadIn;
    EXPECT_EQ((leadIn ? _math_c_getcutin : _math_c_getcutout)(&list, 0, 0, &lead), 0);

    const SDPoint anchor = leadIn ? SDPoint{1, 2} : SDPoint{4, 6};
    const SDPoint travel = leadIn ? SDPoint{1, 0} : SDPoint{0, 1};
    EXPECT_NEAR(lead.radius, 8.0 / std::numbers::pi, 1e-12);
    EXPECT_NEAR(std::hypot(anchor.x - lead.arcCentre.x, anchor.y - lead.arcCentre.y), lead.radius, 1e-12);
    EXPECT_NEAR(std::fabs(lead.arcEndAngle - lead.arcStartAngle), 90.0, 1e-9);

    const double anchorAngle = (leadIn ? lead.arcEndAngle : lead.arcStartAngle) * kRadiansPerDegree;
    ExpectPointNear({lead.arcCentre.x + lead.radius * std::cos(anchorAngle),
                     lead.arcCentre.y + lead.radius * std::sin(anchorAngle)},
                    anchor, 1e-9);
    const double turning = lead.arcEndAngle > lead.arcStartAngle ? 1.0 : -1.0;
    ExpectPointNear({-turning * std::sin(anchorAngle), turning * std::cos(anchorAngle)}, travel, 1e-9);
    ExpectPointNear(lead.leadPoint, {-7, -7}, 0.0);
}

INSTANTIATE_TEST_SUITE_P(Geomcore, ArcLeadLine,
                         testing::Values(ArcCase{"InSide0", true, 0}, ArcCase{"InSide1", true, 1},
                                         ArcCase{"OutSide0", false, 0}, ArcCase{"OutSide1", false, 1}),
                         [](const testing::TestParamInfo<ArcCase>& info) { return info.param.name; });

TEST(ArcLeadLine, SidesPutTheCentreOnOppositeSidesOfTheCurve) {
    FileLineList list;
    FillCurve(list);
    CutInOutPara side0, side1;
    side0.kind = side1.kind = 1;
    side0.length = side1.length = 2.0;
    side1.side = 1;
    _math_c_getcutin(&list, 0, 0, &side0);
    _math_c_getcutin(&list, 0, 0, &side1);
    EXPECT_LT(side0.arcCentre.y, 2.0);
    EXPECT_GT(side1.arcCentre.y, 2.0);
    EXPECT_NEAR(side0.arcCentre.x, 1.0, 1e-12);
    EXPECT_NEAR(side1.arcCentre.x, 1.0, 1e-12);
}

TEST(LeadLine, MissingListFailsAndEmptyListWritesNothing) {
    CutInOutPara lead = StraightLead(1, 5, 0);
    EXPECT_EQ(_math_c_getcutin(nullptr, 1, 1, &lead), 1);
    FileLineList empty;
    EXPECT_EQ(_math_c_getcutout(&empty, 1, 1, &lead), 0);
    empty.Release();
    EXPECT_EQ(_math_c_getcutin(&empty, 1, 1, &lead), 0);
    ExpectPointNear(lead.leadPoint, {0, 0}, 0.0);
}

}  // namespace
