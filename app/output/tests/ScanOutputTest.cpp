// Scan output: bitmap layers as merged or separate scan blocks with their frame cuts, and Scan-mode
// vector layers rasterised at the interval's pixel size, with small circles as one line and the cut
// after sweeping.
#include <cmath>
#include <string>

#include "DibBlock.h"
#include "JobTestSupport.h"
#include "Rasterkit.h"

namespace joboutput::testing {
namespace {

std::unique_ptr<CCadCurve> RegularPolygon(SDPoint centre, double diameter, int sides = 36) {
    auto curve = std::make_unique<CCadCurve>();
    for (int side = 0; side < sides; ++side) {
        const double a0 = side * 2.0 * M_PI / sides;
        const double a1 = (side + 1) * 2.0 * M_PI / sides;
        CFileLine segment;
        segment.start = {centre.x + diameter / 2 * std::cos(a0), centre.y + diameter / 2 * std::sin(a0)};
        segment.end = {centre.x + diameter / 2 * std::cos(a1), centre.y + diameter / 2 * std::sin(a1)};
        curve->pathList.AddTail(segment);
    }
    curve->closed = 1;
    curve->CalRect();
    return curve;
}

std::unique_ptr<CCadCurve> Box(double x, double y, double width, double height) {
    auto curve = std::make_unique<CCadCurve>();
    const SDPoint corners[] = {{x, y}, {x + width, y}, {x + width, y + height}, {x, y + height}, {x, y}};
    for (int i = 0; i < 4; ++i) {
        CFileLine segment;
        segment.start = corners[i];
        segment.end = corners[i + 1];
        curve->pathList.AddTail(segment);
    }
    curve->closed = 1;
    curve->CalRect();
    return curve;
}

// A black 1-bit picture of 40 x 20 pixels at 20 pixels per mm (2 x 1 mm), centred on `centre`.
std::unique_ptr<CCadBitmap> BlackPicture(SDPoint centre) {
    auto bitmap = std::make_unique<CCadBitmap>();
    bitmap->dib = *platform::DibBlock::CreateBlank(40, 20, 1);
    _dib_setprecision(&bitmap->dib, 20000, 20000);
    bitmap->centre = centre;
    bitmap->CalRect();
    return bitmap;
}

class ScanOutputTest : public JobFixture {
  protected:
    void SetUp() override {
        JobFixture::SetUp();
        gGeneralSettings.laserHeadPosition = 6;
    }
    CCadVectorLayer& ScanLayer(CCadElement* element) {
        CCadVectorLayer& layer = VectorLayerOf(element);
        layer.vectorParams.COM_WorkType = VectorLayerParams::kScan;
        layer.vectorParams.Eng_Type = 0;
        layer.vectorParams.Eng_Space = 0.05;
        return layer;
    }
};

TEST(ScanPixelSizeTest, FollowsTheIntervalWithinTwoHundredthsToATenth) {
    struct Case {
        double interval;
        double pixel;
    };
    for (const Case& c :
         {Case{0.007, 0.014}, Case{0.05, 0.05}, Case{0.02, 0.02}, Case{0.1, 0.1}, Case{0.25, 0.25 / 3},
          Case{0.3, 0.1}, Case{0.0, 0.0}, Case{-1.0, 0.0}, Case{std::nan(""), 0.0}, Case{INFINITY, 0.0}}) {
        EXPECT_NEAR(CJobBuilder::ScanPixelSize(c.interval), c.pixel, 1e-12) << "interval " << c.interval;
    }
}

TEST_F(ScanOutputTest, ScanIntervalNotPositiveFailsTheLayer) {
    CCadCurve* square = Add(Box(0, 0, 10, 10));
    ScanLayer(square).vectorParams.Eng_Space = 0.0;
    EXPECT_EQ(WriteJob(JobFile()), 1u);
}

TEST_F(ScanOutputTest, ScanCanvasBeyondABitmapsLimitsFailsTheLayer) {
    CCadCurve* square = Add(Box(0, 0, 100000, 100000));
    ScanLayer(square).vectorParams.Eng_Space = 0.02;
    EXPECT_EQ(WriteJob(JobFile()), 1u);
}

TEST_F(ScanOutputTest, SmallCircleIsEngravedAsOneLineThroughItsCentre) {
    CCadCurve* circle = Add(RegularPolygon({5, 5}, 2));
    VectorLayerParams& params = ScanLayer(circle).vectorParams;
    params.Eng_EnCircle = 1;
    params.Eng_CircleMaxDia = 3;
    params.Eng_CircleDia = 0.5;
    // The circle's box starts at the origin: its centre is (1, 1). One run of about 0.5 mm, within a pixel.
    const std::vector<Cmd> path = JobPath();
    ASSERT_EQ(path.size(), 2u);
    EXPECT_EQ(path[0].kind, JobCommand::Move);
    EXPECT_EQ(path[1].kind, JobCommand::Cut);
    EXPECT_NEAR(path[0].b, 1.0, 0.05);
    EXPECT_EQ(path[1].b, path[0].b);
    EXPECT_NEAR(path[1].a - path[0].a, 0.5, 0.05 + 1e-9);
    EXPECT_NEAR((path[0].a + path[1].a) / 2.0, 1.0, 0.05);
}

TEST_F(ScanOutputTest, TwoBitmapsGiveOneMergedBlockAndTwoFrameCuts) {
    CCadBitmap* first = Add(BlackPicture({1, 0.5}), 0x123456);
    Add(BlackPicture({6, 0.5}), 0x123456);
    auto& layer = *static_cast<CCadBitmapLayer*>(first->layer);
    ASSERT_EQ(layer.commonParams.COM_Type, CCadLayer::kBitmapLayer);
    layer.bitmapParams.Eng_Type = 0;
    layer.bitmapParams.Eng_EnCut = 1;
    const std::filesystem::path path = JobFile();
    ASSERT_EQ(WriteJob(path), 0u);
    const std::vector<StoredCommand> job = StoredJob(path);
    EXPECT_EQ(CountOf(job, StoredBy([] { return Zint_wSetWorkMode(2); })), 1);
    EXPECT_EQ(CountOf(job, StoredBy([] { return Zint_wSetWorkMode(6); })), 2);
    const std::vector<Cmd> travel = OfKinds(ReadJob(path), {JobCommand::Move});
    ASSERT_GE(travel.size(), 2u);
    // The frame cuts start at each picture's lower-left corner.
    EXPECT_EQ(travel[travel.size() - 2], Move(0, 0));
    EXPECT_EQ(travel.back(), Move(5, 0));
}

TEST_F(ScanOutputTest, MergedBitmapFollowsTheLayerOffset) {
    gOutputOptions.reverseIntervalOn = 1;
    gOutputOptions.reverseIntervals.RemoveAll();
    gOutputOptions.reverseIntervals.AddTail({100, 0, 0.5});
    CCadBitmap* first = Add(BlackPicture({1, 0.5}), 0x123456);
    Add(BlackPicture({6, 0.5}), 0x123456);
    auto& layer = *static_cast<CCadBitmapLayer*>(first->layer);
    layer.commonParams.COM_Speed = 100;
    layer.bitmapParams.Eng_Type = 0;
    layer.bitmapParams.Eng_EnCut = 1;
    const std::filesystem::path path = JobFile();
    ASSERT_EQ(WriteJob(path), 0u);
    const std::vector<Cmd> travel = OfKinds(ReadJob(path), {JobCommand::Move});
    ASSERT_GE(travel.size(), 2u);
    EXPECT_EQ(travel[travel.size() - 2], Move(0.5, 0));
    EXPECT_EQ(travel.back(), Move(5.5, 0));
}

// Drawn right one first; from the top-left start corner the left one is nearer and is scanned first.
TEST_F(ScanOutputTest, IndependentBitmapsAreShiftedBlocksInScanBlockOrder) {
    gOutputOptions.reverseIntervalOn = 1;
    gOutputOptions.reverseIntervals.RemoveAll();
    gOutputOptions.reverseIntervals.AddTail({100, 0, 0.5});
    CCadBitmap* right = Add(BlackPicture({6, 0.5}), 0x123456);
    Add(BlackPicture({1, 0.5}), 0x123456);
    auto& layer = *static_cast<CCadBitmapLayer*>(right->layer);
    layer.commonParams.COM_Speed = 100;
    layer.bitmapParams.Eng_Type = 0;
    layer.bitmapParams.Eng_OptMode = 1;
    layer.bitmapParams.Eng_EnCut = 1;
    const std::filesystem::path path = JobFile();
    ASSERT_EQ(WriteJob(path), 0u);
    const std::vector<StoredCommand> job = StoredJob(path);
    EXPECT_EQ(CountOf(job, StoredBy([] { return Zint_wSetWorkMode(2); })), 2);
    EXPECT_EQ(CountOf(job, StoredBy([] { return Zint_wSetWorkMode(6); })), 2);
    std::vector<Cmd> frameStarts;
    const std::vector<Cmd> written = Path(ReadJob(path));
    for (std::size_t i = 0; i + 4 < written.size(); ++i) {
        // A frame cut: a move and four cut sides of 2 x 1 mm.
        if (written[i].kind == JobCommand::Move && written[i + 4].kind == JobCommand::Cut &&
            written[i + 4] == Cut(written[i].a, written[i].b) &&
            written[i + 1] == Cut(written[i].a + 2, written[i].b)) {
            frameStarts.push_back(written[i]);
        }
    }
    EXPECT_EQ(frameStarts, (std::vector<Cmd>{Move(0.5, 0), Move(5.5, 0)}));
}

//   +---+--+
//   |   |  |         ( )
//   +---+--+
TEST_F(ScanOutputTest, TouchingCurvesAreOneBlockWithIndependentOutput) {
    CCadCurve* first = Add(Box(0, 0, 4, 2));
    Add(Box(3, 0, 3, 2));
    Add(RegularPolygon({20, 1}, 2));
    CCadVectorLayer& layer = ScanLayer(first);
    layer.vectorParams.Eng_OptMode = 1;
    const std::filesystem::path path = JobFile();
    ASSERT_EQ(WriteJob(path), 0u);
    EXPECT_EQ(CountOf(StoredJob(path), StoredBy([] { return Zint_wSetWorkMode(2); })), 2);
}

TEST_F(ScanOutputTest, OptimisedIntervalIsAWholeNumberOfPixelsWhenNotBelowOne) {
    struct Case {
        double interval;
        double lineStep;
    };
    for (const Case& c : {Case{0.12, 0.10}, Case{0.04, 0.04}}) {
        SetUp();
        CCadBitmap* picture = Add(BlackPicture({1, 0.5}), 0x123456);
        auto& layer = *static_cast<CCadBitmapLayer*>(picture->layer);
        layer.bitmapParams.Eng_Type = 0;
        layer.bitmapParams.Eng_EnOptim = 1;
        layer.bitmapParams.Eng_Space = c.interval;
        const std::vector<Cmd> cuts = OfKinds(JobPath(), {JobCommand::Cut});
        ASSERT_GE(cuts.size(), 2u);
        double step = INFINITY;
        for (std::size_t i = 1; i < cuts.size(); ++i) {
            if (std::fabs(cuts[i].b - cuts[i - 1].b) > 1e-9) {
                step = std::min(step, std::fabs(cuts[i].b - cuts[i - 1].b));
            }
        }
        EXPECT_NEAR(step, c.lineStep, 1e-3) << "interval " << c.interval;
        TearDown();
    }
}

// At 0.05 mm pixels a ramp of 13 mm would be 260 pixels, more than a ramp can be: it is switched off.
TEST_F(ScanOutputTest, RampLongerThanTheLongestRampIsSwitchedOff) {
    auto jobWithRamp = [this](std::int32_t on, double lengthMm) {
        SetUp();
        CCadBitmap* picture = Add(BlackPicture({1, 0.5}), 0x123456);
        auto& layer = *static_cast<CCadBitmapLayer*>(picture->layer);
        layer.bitmapParams.Eng_Type = 0;
        layer.bitmapParams.Eng_EnSlope = on;
        layer.bitmapParams.Eng_SlopeLen = lengthMm;
        const std::filesystem::path path = JobFile();
        EXPECT_EQ(WriteJob(path), 0u);
        std::vector<StoredCommand> job = StoredJob(path);
        TearDown();
        return job;
    };
    const std::vector<StoredCommand> without = jobWithRamp(0, 0);
    EXPECT_EQ(jobWithRamp(1, 13), without);
    EXPECT_NE(jobWithRamp(1, 0.2), without);
}

// The pen (Z) axis around a scan block: lowered after the block's head, before its first scan line, and
// raised after its last; the frame cut after sweeping lowers it after its travel and raises it after its
// last side. In a shape, P is a run of travel and cut commands, D and U the axis going down and up.
TEST_F(ScanOutputTest, PenAxisGoesDownBeforeTheScanLinesAndUpAfterThemAndAroundTheFrameCut) {
    struct Case {
        const char* name;
        std::int32_t enabled, downEnabled, upEnabled, frameCut;
        std::string shape;
        int axisSpeeds;
    };
    for (const Case& c : {Case{"axis off", 0, 1, 1, 1, "P", 0}, Case{"down and up", 1, 1, 1, 0, "DPU", 1},
                          Case{"up only", 1, 0, 1, 0, "PU", 1}, Case{"down only", 1, 1, 0, 0, "DP", 1},
                          Case{"with the frame cut", 1, 1, 1, 1, "DPUPDPU", 2}}) {
        SetUp();
        CCadBitmap* picture = Add(BlackPicture({1, 0.5}), 0x123456);
        auto& layer = *static_cast<CCadBitmapLayer*>(picture->layer);
        layer.bitmapParams.Eng_Type = 0;
        layer.bitmapParams.Eng_EnCut = c.frameCut;
        LayerCommonParams& common = layer.commonParams;
        common.COM_EnZ = c.enabled;
        common.COM_EnZDown = c.downEnabled;
        common.COM_EnZUp = c.upEnabled;
        common.COM_ZDownPos = -2;
        common.COM_ZUpPos = 3;
        common.COM_ZSpeed = 7;
        const std::filesystem::path path = JobFile();
        ASSERT_EQ(WriteJob(path), 0u) << c.name;
        std::string shape;
        for (const Cmd& cmd :
             OfKinds(ReadJob(path), {JobCommand::Move, JobCommand::Cut, JobCommand::AxisMove})) {
            if (cmd.kind == JobCommand::AxisMove) {
                EXPECT_EQ(cmd, (Cmd{JobCommand::AxisMove, 3, cmd.b < 0 ? -2.0 : 3.0})) << c.name;
                shape += cmd.b < 0 ? 'D' : 'U';
            } else if (shape.empty() || shape.back() != 'P') {
                shape += 'P';
            }
        }
        EXPECT_EQ(shape, c.shape) << c.name;
        EXPECT_EQ(CountOf(StoredJob(path), StoredBy([] { return Zint_wSetAxisVel(7); })), c.axisSpeeds)
            << c.name;
        TearDown();
    }
}

TEST_F(ScanOutputTest, CutAfterSweepingLimitsASmallCircleToTheTableSpeed) {
    gGeneralSettings.speedLimitOn = 1;
    gGeneralSettings.speedLimits.RemoveAll();
    gGeneralSettings.speedLimits.AddTail({5, 20});
    gGeneralSettings.speedLimits.AddTail({20, 80});
    CCadCurve* circle = Add(RegularPolygon({5, 5}, 10));
    CCadVectorLayer& layer = ScanLayer(circle);
    layer.commonParams.COM_Speed = 200;
    layer.vectorParams.Eng_Space = 0.1;
    layer.vectorParams.Eng_EnCut = 1;
    layer.vectorParams.EngCut_Speed = 100;
    const std::filesystem::path path = JobFile();
    ASSERT_EQ(WriteJob(path), 0u);
    // The scan block, the cut's head, its limit and the head's speed again.
    EXPECT_EQ(OfKinds(ReadJob(path), {JobCommand::Speed}),
              (std::vector<Cmd>{Speed(200), Speed(100), Speed(40), Speed(100)}));
    EXPECT_EQ(CountOf(StoredJob(path), StoredBy([] { return Zint_wSetForceEngVel(40); })), 1);
}

}  // namespace
}  // namespace joboutput::testing
