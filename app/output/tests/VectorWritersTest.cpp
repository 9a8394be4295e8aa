// The writers by processing mode, each case a drawing and the head's path read back from its job:
// dots, dashes, centre dots, tiny curves, points, speed limits, seal, kerf and the output offsets.
#include <algorithm>

#include "JobTestSupport.h"
#include "SettingsRows.h"

namespace joboutput::testing {
namespace {

std::unique_ptr<CCadCurve> Polyline(const std::vector<SDPoint>& points, bool closed) {
    auto curve = std::make_unique<CCadCurve>();
    for (std::size_t i = 0; i + 1 < points.size(); ++i) {
        CFileLine segment;
        segment.start = points[i];
        segment.end = points[i + 1];
        curve->pathList.AddTail(segment);
    }
    curve->closed = closed ? 1 : 0;
    curve->CalRect();
    return curve;
}

std::unique_ptr<CCadCurve> Rectangle(double x, double y, double width, double height) {
    return Polyline({{x, y}, {x + width, y}, {x + width, y + height}, {x, y + height}, {x, y}}, true);
}

// Job coordinates equal drawing coordinates: origin at the lower-left corner of the data box, which
// every case starts at (0, 0).
class VectorWritersTest : public JobFixture {
  public:
    void SetUp() override {
        JobFixture::SetUp();
        gGeneralSettings.laserHeadPosition = 6;
    }
    using JobFixture::Add;
    CCadCurve* AddOn(std::uint16_t workType, std::unique_ptr<CCadCurve> curve) {
        CCadCurve* added = Add(std::move(curve));
        VectorLayerOf(added).vectorParams.COM_WorkType = workType;
        return added;
    }
    VectorLayerParams& Params(const CCadElement* element) { return VectorLayerOf(element).vectorParams; }
};

struct PathCase {
    const char* name;
    std::function<void(VectorWritersTest&)> setUp;
    std::vector<Cmd> path;
};

void PrintTo(const PathCase& pathCase, std::ostream* out) {
    *out << pathCase.name;
}

class VectorPathTest : public VectorWritersTest, public ::testing::WithParamInterface<PathCase> {};

TEST_P(VectorPathTest, WritesThePath) {
    GetParam().setUp(*this);
    EXPECT_EQ(JobPath(), GetParam().path);
}

void DotLine(VectorWritersTest& test, double interval, double length, double seconds,
             std::vector<SDPoint> points = {{0, 0}, {10, 0}}) {
    CCadCurve* line = test.AddOn(VectorLayerParams::kDot, Polyline(points, false));
    test.Params(line).Dot_Space = interval;
    test.Params(line).Dot_Len = length;
    test.Params(line).Dot_Time = seconds;
}

INSTANTIATE_TEST_SUITE_P(
    Modes, VectorPathTest,
    ::testing::Values(
        PathCase{"DotsEveryThreeMillimetresNotAtTheEnd", [](VectorWritersTest& t) { DotLine(t, 3, 0, 0.01); },
                 {Move(0, 0), Dot(0.01), Move(3, 0), Dot(0.01), Move(6, 0), Dot(0.01), Move(9, 0), Dot(0.01)}},
        PathCase{"DotsReachTheEndByEquality", [](VectorWritersTest& t) { DotLine(t, 2.5, 0, 0.01); },
                 {Move(0, 0), Dot(0.01), Move(2.5, 0), Dot(0.01), Move(5, 0), Dot(0.01), Move(7.5, 0), Dot(0.01),
                  Move(10, 0), Dot(0.01)}},
        PathCase{"DotSpacingCarriesAcrossACorner", [](VectorWritersTest& t) { DotLine(t, 3, 0, 0.01, {{0, 0}, {2, 0}, {2, 2}}); },
                 {Move(0, 0), Dot(0.01), Move(2, 1), Dot(0.01)}},
        PathCase{"DashesOfOneMillimetreEveryThree", [](VectorWritersTest& t) { DotLine(t, 3, 1, 0.01); },
                 {Move(0, 0), Cut(1, 0), Move(4, 0), Cut(5, 0), Move(8, 0), Cut(9, 0), Move(10, 0)}},
        PathCase{"IntervalZeroIsAContinuousCut", [](VectorWritersTest& t) { DotLine(t, 0, 1, 0.01); }, {Move(0, 0), Cut(10, 0)}},
        PathCase{"CentreDotWithoutTimeWritesNothing", [](VectorWritersTest& t) {
                     CCadCurve* square = t.AddOn(VectorLayerParams::kDot, Rectangle(0, 0, 10, 10));
                     t.Params(square).Dot_EnCenter = 1;
                     t.Params(square).Dot_Time = 0;
                 },
                 {}},
        PathCase{"CentreDotAtTheCentre", [](VectorWritersTest& t) {
                     CCadCurve* square = t.AddOn(VectorLayerParams::kDot, Rectangle(0, 0, 10, 10));
                     t.Params(square).Dot_EnCenter = 1;
                     t.Params(square).Dot_Time = 0.2;
                 },
                 {Move(5, 5), Dot(0.2)}},
        PathCase{"TinyCurveIsOneDotForItsPerimeterAtTheSpeed", [](VectorWritersTest& t) {
                     CCadCurve* tiny = t.AddOn(VectorLayerParams::kCut, Rectangle(0, 0, 0.05, 0.02));
                     tiny->layer->commonParams.COM_Speed = 10;
                 },
                 {Move(0.025, 0.01), Dot(0.014)}},
        PathCase{"WriteSingleDotSpeedZeroTakesTheFallbackSpeed", [](VectorWritersTest& t) {
                     CCadCurve* tiny = t.AddOn(VectorLayerParams::kCut, Rectangle(0, 0, 0.05, 0.02));
                     tiny->layer->commonParams.COM_Speed = 0;
                 },
                 {Move(0.025, 0.01), Dot(0.0014)}},
        PathCase{"CurveOfPointNineMillimetresAcrossIsCut", [](VectorWritersTest& t) {
                     t.AddOn(VectorLayerParams::kCut, Polyline({{0, 0}, {0.09, 0}, {0.09, 5}}, false));
                 },
                 {Move(0, 0), Cut(0.09, 0), Cut(0.09, 5)}},
        PathCase{"PointFiresForItsDotTime", [](VectorWritersTest& t) {
                     auto point = std::make_unique<CCadPoint>();
                     point->x = 0;
                     point->y = 0;
                     point->CalRect();
                     CCadPoint* added = t.Add(std::move(point));
                     added->layer->commonParams.COM_DotInterval = 0.5;
                 },
                 {Move(0, 0), Dot(0.5)}},
        PathCase{"SealOfThreeRecutsPartOfTheFirstSide", [](VectorWritersTest& t) {
                     CCadCurve* square = t.AddOn(VectorLayerParams::kCut, Rectangle(0, 0, 10, 10));
                     t.Params(square).Cut_Close = 3;
                 },
                 {Move(0, 0), Cut(10, 0), Cut(10, 10), Cut(0, 10), Cut(0, 0), Cut(3, 0)}},
        PathCase{"SealOfTwentyFiveRecutsTwoSidesAndAHalf", [](VectorWritersTest& t) {
                     CCadCurve* square = t.AddOn(VectorLayerParams::kCut, Rectangle(0, 0, 10, 10));
                     t.Params(square).Cut_Close = 25;
                 },
                 {Move(0, 0), Cut(10, 0), Cut(10, 10), Cut(0, 10), Cut(0, 0), Cut(10, 0), Cut(10, 10), Cut(5, 10)}},
        PathCase{"SealOfAHundredRecutsTheSquareOnce", [](VectorWritersTest& t) {
                     CCadCurve* square = t.AddOn(VectorLayerParams::kCut, Rectangle(0, 0, 10, 10));
                     t.Params(square).Cut_Close = 100;
                 },
                 {Move(0, 0), Cut(10, 0), Cut(10, 10), Cut(0, 10), Cut(0, 0), Cut(10, 0), Cut(10, 10), Cut(0, 10),
                  Cut(0, 0)}},
        PathCase{"KerfResizeGrowsAnOpenPolylineByTwiceTheWidth", [](VectorWritersTest& t) {
                     CCadCurve* line = t.AddOn(VectorLayerParams::kCut, Polyline({{0, 0}, {10, 0}, {10, 5}}, false));
                     t.Params(line).Cut_EnSew = 1;
                     t.Params(line).Cut_SewDir = 1;
                     t.Params(line).Cut_SewWidth = 0.1;
                 },
                 {Move(-0.1, -0.1), Cut(10.1, -0.1), Cut(10.1, 5.1)}},
        PathCase{"PenLayerInPenWorkModeFollowsThePenOffsetOnly", [](VectorWritersTest& t) {
                     PenModeFlag = 1;
                     gOutputOptions.laser2OffsetXMm = 1;
                     gOutputOptions.laser2OffsetYMm = 2;
                     gOutputOptions.laser2OffsetOn = 1;
                     CCadCurve* line = t.AddOn(VectorLayerParams::kPen, Polyline({{0, 0}, {10, 0}}, false));
                     line->layer->commonParams.COM_EnLaser1 = 0;
                 },
                 {Move(1, 2), Cut(11, 2)}},
        PathCase{"LaserTwoOnlyLayerFollowsTheLaserTwoOffset", [](VectorWritersTest& t) {
                     gOutputOptions.laser2OffsetXMm = 1;
                     gOutputOptions.laser2OffsetYMm = 2;
                     gOutputOptions.laser2OffsetOn = 1;
                     CCadCurve* line = t.AddOn(VectorLayerParams::kCut, Polyline({{0, 0}, {10, 0}}, false));
                     line->layer->commonParams.COM_EnLaser1 = 0;
                 },
                 {Move(1, 2), Cut(11, 2)}},
        PathCase{"SingleDotFollowsTheLayerOffset", [](VectorWritersTest& t) {
                     gOutputOptions.laser2OffsetXMm = 1;
                     gOutputOptions.laser2OffsetYMm = 2;
                     gOutputOptions.laser2OffsetOn = 1;
                     CCadCurve* tiny = t.AddOn(VectorLayerParams::kCut, Rectangle(0, 0, 0.05, 0.02));
                     tiny->layer->commonParams.COM_Speed = 10;
                     tiny->layer->commonParams.COM_EnLaser1 = 0;
                 },
                 {Move(1.025, 2.01), Dot(0.014)}},
        // Backlash repay: the job origin is the job box's lower-left corner (head position 6); each contour
        // starts at its vertex farthest from the origin or from where the contour before it ended.
        PathCase{"BacklashRepayStartsEachContourFarthestFromWhereTheLastEnded", [](VectorWritersTest& t) {
                     gOptimSettings.backlashRepayOptimise = 1;
                     t.AddOn(VectorLayerParams::kCut, Rectangle(0, 0, 10, 10));
                     t.AddOn(VectorLayerParams::kCut, Rectangle(20, 0, 10, 10));
                 },
                 {Move(10, 10), Cut(0, 10), Cut(0, 0), Cut(10, 0), Cut(10, 10), Move(30, 0), Cut(30, 10),
                  Cut(20, 10), Cut(20, 0), Cut(30, 0)}},
        PathCase{"BacklashRepayInOneOrderAsLayerByLayer", [](VectorWritersTest& t) {
                     gOptimSettings.backlashRepayOptimise = 1;
                     gOptimSettings.orderOfLayer = 0;
                     t.AddOn(VectorLayerParams::kCut, Rectangle(0, 0, 10, 10));
                     t.AddOn(VectorLayerParams::kCut, Rectangle(20, 0, 10, 10));
                 },
                 {Move(10, 10), Cut(0, 10), Cut(0, 0), Cut(10, 0), Cut(10, 10), Move(30, 0), Cut(30, 10),
                  Cut(20, 10), Cut(20, 0), Cut(30, 0)}},
        PathCase{"BacklashRepayKeepsAnOpenPathAndMeasuresTheNextFromItsEnd", [](VectorWritersTest& t) {
                     gOptimSettings.backlashRepayOptimise = 1;
                     t.AddOn(VectorLayerParams::kCut, Polyline({{0, 20}, {10, 20}}, false));
                     t.AddOn(VectorLayerParams::kCut, Rectangle(0, 0, 10, 10));
                 },
                 {Move(0, 20), Cut(10, 20), Move(0, 0), Cut(10, 0), Cut(10, 10), Cut(0, 10), Cut(0, 0)}},
        PathCase{"BacklashRepayOffKeepsTheDrawnStarts", [](VectorWritersTest& t) {
                     t.AddOn(VectorLayerParams::kCut, Rectangle(0, 0, 10, 10));
                     t.AddOn(VectorLayerParams::kCut, Rectangle(20, 0, 10, 10));
                 },
                 {Move(0, 0), Cut(10, 0), Cut(10, 10), Cut(0, 10), Cut(0, 0), Move(20, 0), Cut(30, 0),
                  Cut(30, 10), Cut(20, 10), Cut(20, 0)}}),
    [](const ::testing::TestParamInfo<PathCase>& info) { return std::string(info.param.name); });

TEST_F(VectorWritersTest, DotIntervalBelowTheResolutionIsRaisedToIt) {
    DotLine(*this, 1e-9, 0, 0.01, {{0, 0}, {1, 0}});
    const std::vector<Cmd> path = JobPath();
    const auto dots = std::count(path.begin(), path.end(), Dot(0.01));
    EXPECT_GE(dots, 1000);
    EXPECT_LE(dots, 1001);
}

TEST_F(VectorWritersTest, DashLengthBelowTheResolutionIsRaisedToIt) {
    DotLine(*this, 0.5, 1e-9, 0.01, {{0, 0}, {1, 0}});
    EXPECT_EQ(JobPath(),
              (std::vector<Cmd>{Move(0, 0), Cut(0.001, 0), Move(0.501, 0), Cut(0.502, 0), Move(1, 0)}));
}

// Speeds of a closed contour against the table rows (2 mm, 10), (5 mm, 20) and a layer speed of 100.
TEST_F(VectorWritersTest, SmallContoursAreCutAtTheirLimitAndTheLayerSpeedComesBack) {
    struct Case {
        double size;
        std::vector<std::pair<double, double>> rows;
        std::vector<Cmd> speeds;
    };
    const std::vector<Case> cases = {
        {3, {{2, 10}, {5, 20}}, {Speed(100), Speed(40.0 / 3.0), Speed(100)}},
        {3, {{2, 10}}, {Speed(100)}},
        {2.05, {{2, 10}}, {Speed(100), Speed(10), Speed(100)}},
        {1, {{2, 10}}, {Speed(100), Speed(5), Speed(100)}},
        {3, {{2, 200}}, {Speed(100)}},
    };
    for (const Case& c : cases) {
        SetUp();
        gGeneralSettings.speedLimitOn = 1;
        gGeneralSettings.speedLimits.RemoveAll();
        for (const auto& [diameter, speed] : c.rows) {
            gGeneralSettings.speedLimits.AddTail({diameter, speed});
        }
        AddOn(VectorLayerParams::kCut, Rectangle(0, 0, c.size, c.size))->layer->commonParams.COM_Speed = 100;
        const std::filesystem::path path = JobFile();
        ASSERT_EQ(WriteJob(path), 0u);
        EXPECT_EQ(OfKinds(ReadJob(path), {JobCommand::Speed}), c.speeds) << "size " << c.size;
        TearDown();
    }
}

TEST_F(VectorWritersTest, KerfCompensationCutsOnlyTheOffsetContour) {
    CCadCurve* square = AddOn(VectorLayerParams::kCut, Rectangle(0, 0, 10, 10));
    Params(square).Cut_EnSew = 1;
    Params(square).Cut_SewDir = 1;
    Params(square).Cut_SewWidth = 0.5;
    const std::vector<Cmd> path = JobPath();
    ASSERT_FALSE(path.empty());
    EXPECT_EQ(OfKinds(path, {JobCommand::Move}).size(), 1u);
    double lowest = 0;
    double highest = 0;
    for (const Cmd& cmd : path) {
        lowest = std::min({lowest, cmd.a, cmd.b});
        highest = std::max({highest, cmd.a, cmd.b});
    }
    EXPECT_NEAR(lowest, -0.5, 1e-3);
    EXPECT_NEAR(highest, 10.5, 1e-3);
}

TEST_F(VectorWritersTest, CurvesOfOneLayerShareAHeadUntilAPointOfAnotherLayerComesBetween) {
    gOptimSettings.orderOfLayer = 0;
    AddOn(VectorLayerParams::kCut, Rectangle(0, 0, 10, 10));
    auto point = std::make_unique<CCadPoint>();
    point->x = 20;
    point->CalRect();
    Add(std::move(point), 0xFF0000);
    AddOn(VectorLayerParams::kCut, Rectangle(30, 0, 10, 10));
    AddOn(VectorLayerParams::kCut, Rectangle(50, 0, 10, 10));
    const std::filesystem::path path = JobFile();
    ASSERT_EQ(WriteJob(path), 0u);
    const std::vector<StoredCommand> job = StoredJob(path);
    EXPECT_EQ(CountOf(job, StoredBy([] { return Zint_wSetLayerNum(0); })), 2);
    EXPECT_EQ(CountOf(job, StoredBy([] { return Zint_wSetLayerNum(1); })), 1);
}

TEST_F(VectorWritersTest, CutHeadSendsFloorsAndTheDelayPairOfItsSwitch) {
    CCadCurve* square = AddOn(VectorLayerParams::kCut, Rectangle(0, 0, 10, 10));
    LayerCommonParams& common = square->layer->commonParams;
    common.COM_Speed = 0.005;
    common.COM_Pmin1 = common.COM_Pmax1 = common.COM_Pmin2 = common.COM_Pmax2 = 0.0;
    Params(square).Cut_ThroughMode = 0;
    Params(square).Cut_OnDelay = 2;
    Params(square).Cut_OffDelay = 3;
    const std::filesystem::path path = JobFile();
    ASSERT_EQ(WriteJob(path), 0u);
    const std::vector<StoredCommand> job = StoredJob(path);
    EXPECT_EQ(OfKinds(ReadJob(path), {JobCommand::Speed}), (std::vector<Cmd>{Speed(0.01)}));
    EXPECT_EQ(CountOf(job, StoredBy([] { return Zint_ExwSetMinPower(0.1, 0.1, 1); })), 1);
    EXPECT_EQ(CountOf(job, StoredBy([] { return Zint_wLaserOn2(2); })), 1);
    EXPECT_EQ(CountOf(job, StoredBy([] { return Zint_wLaserOff2(3); })), 1);
    EXPECT_EQ(CountOf(job, StoredBy([] { return Zint_wLaserOn(2); })), 0);
}

TEST_F(VectorWritersTest, PenAxisGoesDownAfterTheTravelAndUpAfterTheCut) {
    CCadCurve* line = AddOn(VectorLayerParams::kCut, Polyline({{0, 0}, {10, 0}}, false));
    LayerCommonParams& common = line->layer->commonParams;
    common.COM_EnZ = 1;
    common.COM_EnZDown = 1;
    common.COM_EnZUp = 1;
    common.COM_ZDownPos = -2;
    common.COM_ZUpPos = 3;
    const std::filesystem::path path = JobFile();
    ASSERT_EQ(WriteJob(path), 0u);
    EXPECT_EQ(OfKinds(ReadJob(path), {JobCommand::Move, JobCommand::Cut, JobCommand::AxisMove}),
              (std::vector<Cmd>{
                  Move(0, 0), {JobCommand::AxisMove, 3, -2}, Cut(10, 0), {JobCommand::AxisMove, 3, 3}}));
}

TEST_F(VectorWritersTest, DefaultPowerSendsZeroPowers) {
    CCadCurve* square = AddOn(VectorLayerParams::kCut, Rectangle(0, 0, 10, 10));
    square->layer->commonParams.COM_PowerDefault = 1;
    const std::filesystem::path path = JobFile();
    ASSERT_EQ(WriteJob(path), 0u);
    EXPECT_EQ(CountOf(StoredJob(path), StoredBy([] { return Zint_ExwSetMinPower(0, 0, 1); })), 1);
}

TEST(CurvePreparationTest, BezierFlatteningCappedAtFourThousandPieces) {
    gFileParaSettings.exportPrecision = 3.0;
    CCadCurve curve;
    CFileLine bezier;
    bezier.type = CFileLine::kBezier;
    bezier.start = {0, 0};
    bezier.ctrl1 = {0, 1e7};
    bezier.ctrl2 = {1e7, 1e7};
    bezier.end = {1e7, 0};
    curve.pathList.AddTail(bezier);
    const std::unique_ptr<CCadCurve> prepared = CJobBuilder::PrepareCurve(&curve, 0, 0);
    ASSERT_NE(prepared, nullptr);
    EXPECT_EQ(prepared->pathList.GetCount(), 4096);
}

TEST(CurvePreparationTest, StraightBezierGivesTwoLinesAndAFinerPrecisionMore) {
    CCadCurve straight;
    CFileLine line;
    line.type = CFileLine::kBezier;
    line.start = {0, 0};
    line.ctrl1 = {1, 0};
    line.ctrl2 = {2, 0};
    line.end = {3, 0};
    straight.pathList.AddTail(line);
    gFileParaSettings.exportPrecision = 0.0;
    EXPECT_EQ(CJobBuilder::PrepareCurve(&straight, 0, 0)->pathList.GetCount(), 2);

    CCadCurve quarter;
    CFileLine arc;
    arc.type = CFileLine::kBezier;
    arc.start = {10, 0};
    arc.ctrl1 = {10, 5.5228};
    arc.ctrl2 = {5.5228, 10};
    arc.end = {0, 10};
    quarter.pathList.AddTail(arc);
    const int coarse = CJobBuilder::PrepareCurve(&quarter, 0, 0)->pathList.GetCount();
    gFileParaSettings.exportPrecision = 1.0;
    EXPECT_GT(CJobBuilder::PrepareCurve(&quarter, 0, 0)->pathList.GetCount(), coarse);
}

TEST(CurvePreparationTest, NonFiniteCurveFailsPreparation) {
    CCadCurve curve;
    CFileLine line;
    line.start = {0, 0};
    line.end = {std::nan(""), 1};
    curve.pathList.AddTail(line);
    EXPECT_EQ(CJobBuilder::PrepareCurve(&curve, 0, 0), nullptr);
}

TEST(CurvePreparationTest, PreparedCopyMovesItsRectangleWithItsSegments) {
    CCadCurve curve;
    CFileLine line;
    line.start = {0, 0};
    line.end = {4, 2};
    curve.pathList.AddTail(line);
    curve.CalRect();
    const std::unique_ptr<CCadCurve> prepared = CJobBuilder::PrepareCurve(&curve, 1, -1);
    EXPECT_EQ(prepared->pathList.head->next->value.start.x, 1);
    EXPECT_EQ(prepared->pathList.head->next->value.start.y, -1);
    EXPECT_EQ(prepared->rect.x1, curve.rect.x1 + 1);
    EXPECT_EQ(prepared->rect.y2, curve.rect.y2 - 1);
}

TEST(OffsetRepayTest, InterpolatesBetweenRowsScalesBelowAndKeepsTheLastAbove) {
    gOutputOptions.reverseIntervalOn = 1;
    gOutputOptions.reverseIntervals.RemoveAll();
    gOutputOptions.reverseIntervals.AddTail({200, 1, 0.4});
    gOutputOptions.reverseIntervals.AddTail({100, 1, 0.2});
    EXPECT_NEAR(gOutputOptions.LookupOffsetRepay(150), 0.3, 1e-12);
    EXPECT_NEAR(gOutputOptions.LookupOffsetRepay(50), 0.1, 1e-12);
    EXPECT_NEAR(gOutputOptions.LookupOffsetRepay(300), 0.4, 1e-12);
    EXPECT_EQ(gOutputOptions.LookupOffsetRepay(0), 0.0);
    gOutputOptions.reverseIntervalOn = 0;
    EXPECT_EQ(gOutputOptions.LookupOffsetRepay(150), 0.0);
}

}  // namespace
}  // namespace joboutput::testing
