// The job writer end to end: header, frame, layer lists and body of real drawings, written to a job
// file and read back; and the failures that must leave no finished job behind.
#include <array>
#include <thread>

#include "ConnectSetting.h"
#include "JobHeader.h"
#include "JobTestSupport.h"
#include "MachineParaRecords.h"
#include "OutputList.h"
#include "Progress.h"
#include "TestControllers.h"

namespace joboutput::testing {
namespace {

// A closed 10 mm square whose right side is a straight Bezier, with a straight lead-in from (-2, 0):
//
//   (0,10) +-----------+ (10,10)
//          |           )  Bezier
//   (-2,0) *-> (0,0) --+ (10,0)
std::unique_ptr<CCadCurve> SquareWithLeadAndBezier() {
    auto curve = std::make_unique<CCadCurve>();
    auto add = [&](SDPoint from, SDPoint to, bool bezier) {
        CFileLine segment;
        segment.start = from;
        segment.end = to;
        if (bezier) {
            segment.type = CFileLine::kBezier;
            segment.ctrl1 = {from.x + (to.x - from.x) / 3.0, from.y + (to.y - from.y) / 3.0};
            segment.ctrl2 = {from.x + 2.0 * (to.x - from.x) / 3.0, from.y + 2.0 * (to.y - from.y) / 3.0};
        }
        curve->pathList.AddTail(segment);
    };
    add({0, 0}, {10, 0}, false);
    add({10, 0}, {10, 10}, true);
    add({10, 10}, {0, 10}, false);
    add({0, 10}, {0, 0}, false);
    curve->closed = 1;
    curve->CalRect();
    curve->leadIn.enabled = 1;
    curve->leadIn.kind = 0;
    curve->leadIn.leadPoint = {-2, 0};
    return curve;
}

std::unique_ptr<CCadCurve> Square(double x, double y, double size) {
    auto curve = std::make_unique<CCadCurve>();
    const std::array<SDPoint, 5> corners = {
        {{x, y}, {x + size, y}, {x + size, y + size}, {x, y + size}, {x, y}}};
    for (std::size_t i = 0; i + 1 < corners.size(); ++i) {
        CFileLine segment;
        segment.start = corners[i];
        segment.end = corners[i + 1];
        curve->pathList.AddTail(segment);
    }
    curve->closed = 1;
    curve->CalRect();
    return curve;
}

// A 3 x 2 array of 10 mm squares 5 mm apart.
std::unique_ptr<CCadArray> SquareArray() {
    auto array = std::make_unique<CCadArray>();
    array->children.AddTail(Square(0, 0, 10).release());
    array->columnCount = 3;
    array->rowCount = 2;
    array->columnSpacing = 5;
    array->rowSpacing = 5;
    array->CalRect();
    return array;
}

class JobWriterTest : public JobFixture {
  protected:
    // 300 small squares, then a square whose Bezier has a control point that is not a number behind a
    // rectangle that a sane drawing could have: preparing it fails half way through the body.
    void AddCurvesFailingHalfWay() {
        for (int i = 0; i < 300; ++i) {
            Add(Square(i * 0.5, 0, 0.4));
        }
        auto broken = SquareWithLeadAndBezier();
        broken->pathList.head->next->next->value.ctrl1.x = std::nan("");
        Add(std::move(broken));
    }
    static void UseEmulator() {
        ConnectSetting.kind = CConnectSetting::kKindNetwork;
        ConnectSetting.addressIndex = 0;
        ConnectSetting.defaultAddress = {127, 0, 0, 1};
        JobDestinationFlag = 1;
    }
};

TEST_F(JobWriterTest, SquareWithLeadInIsCutFromTheLeadStartInCentreOriginCoordinates) {
    Add(SquareWithLeadAndBezier());
    EXPECT_EQ(JobPath(), (std::vector<Cmd>{Move(-7, -5), Cut(-5, -5), Cut(5, -5), Cut(5, 0), Cut(5, 5),
                                           Cut(-5, 5), Cut(-5, -5)}));
}

TEST_F(JobWriterTest, MirroredXGrowsToTheLeftOfTheOrigin) {
    gGeneralSettings.xMirror = 1;
    Add(SquareWithLeadAndBezier());
    const std::filesystem::path path = JobFile();
    ASSERT_EQ(WriteJob(path), 0u);
    EXPECT_EQ(Path(ReadJob(path)), (std::vector<Cmd>{Move(7, -5), Cut(5, -5), Cut(-5, -5), Cut(-5, 0),
                                                     Cut(-5, 5), Cut(5, 5), Cut(5, -5)}));
    const std::vector<StoredCommand> job = StoredJob(path);
    EXPECT_EQ(CountOf(job, StoredBy([] { return Zint_wSetProcessTopLeft(-5, -5); })), 1);
    EXPECT_EQ(CountOf(job, StoredBy([] { return Zint_wSetProcessBottomRight(5, 5); })), 1);
}

TEST_F(JobWriterTest, AbsoluteCoordinatesWithMirroredXTakeThePageWidthAsOrigin) {
    gProcessCtrlSettings.absoluteCoordinate = 1;
    gGeneralSettings.xMirror = 1;
    theCadMgr.pageWidth = 300;
    Add(Square(10, 20, 10));
    const std::filesystem::path path = JobFile();
    ASSERT_EQ(WriteJob(path), 0u);
    EXPECT_EQ(Path(ReadJob(path)).front(), Move(290, 20));
    const std::vector<StoredCommand> job = StoredJob(path);
    ASSERT_GE(job.size(), 3u);
    EXPECT_EQ(job[0], StoredBy([] { return Zint_wSetRefPointMode(2); }));
    EXPECT_EQ(job[1], StoredBy([] { return Zint_wSetAbsProcess(); }));
    EXPECT_EQ(job[2], StoredBy([] { return Zint_wStrtProcess(); }));
}

TEST_F(JobWriterTest, FrameCornersAreRoundedToHundredthsAwayFromZero) {
    gProcessCtrlSettings.absoluteCoordinate = 1;
    auto curve = Square(-0.006, 0.004, 10);
    Add(std::move(curve));
    const std::filesystem::path path = JobFile();
    ASSERT_EQ(WriteJob(path), 0u);
    const std::vector<StoredCommand> job = StoredJob(path);
    EXPECT_EQ(CountOf(job, StoredBy([] { return Zint_wSetProcessTopLeft(-0.01, 0.0); })), 1);
    EXPECT_EQ(CountOf(job, StoredBy([] { return Zint_wSetProcessBottomRight(9.99, 10.0); })), 1);
}

TEST_F(JobWriterTest, LayerSpeedZeroAndTinyPowerReachTheListsAndHeadAtTheirFloors) {
    CCadCurve* square = Add(Square(0, 0, 10));
    LayerCommonParams& common = square->layer->commonParams;
    common.COM_Speed = 0.0;
    common.COM_Pmin1 = common.COM_Pmax1 = common.COM_Pmin2 = common.COM_Pmax2 = 0.05;
    const std::filesystem::path path = JobFile();
    ASSERT_EQ(WriteJob(path), 0u);
    const std::vector<Cmd> commands = ReadJob(path);
    EXPECT_EQ(OfKinds(commands, {JobCommand::IndexedSpeed}),
              (std::vector<Cmd>{{JobCommand::IndexedSpeed, 0, 0.01}}));
    for (std::uint16_t kind : {JobCommand::IndexedPower1, JobCommand::IndexedPower2,
                               JobCommand::IndexedPower3, JobCommand::IndexedPower4}) {
        const std::vector<Cmd> powers = OfKinds(commands, {kind});
        ASSERT_EQ(powers.size(), 1u);
        EXPECT_NEAR(powers[0].b, 0.001, 1e-4);
    }
    EXPECT_EQ(OfKinds(commands, {JobCommand::Speed}), (std::vector<Cmd>{Speed(0.01)}));
    EXPECT_EQ(CountOf(StoredJob(path), StoredBy([] { return Zint_ExwSetMinPower(0.1, 0.1, 1); })), 1);
}

TEST_F(JobWriterTest, RotaryDiameterAndPulsesAreClampedAndKept) {
    gOutputOptions.rotateEngraveOn = 1;
    gOutputOptions.rotaryDiameterMm = 2000;
    gOutputOptions.circlePulse = 50;
    gVendorPara.stepLengthUm[1] = 0.35;
    Add(Square(0, 0, 10));
    const std::filesystem::path path = JobFile();
    ASSERT_EQ(WriteJob(path), 0u);
    EXPECT_EQ(gOutputOptions.rotaryDiameterMm, 1000);
    EXPECT_EQ(gOutputOptions.circlePulse, 100);
    const double ratio = 0.35 / (1000 * 3141.592653589793 / 100);
    EXPECT_EQ(CountOf(StoredJob(path), StoredBy([ratio] { return Zint_SetRotateRatio(1, ratio); })), 1);
}

TEST_F(JobWriterTest, PlainArrayAloneIsRepeatedByTheControllerFromOneCell) {
    Add(SquareArray());
    const std::filesystem::path path = JobFile();
    ASSERT_EQ(WriteJob(path), 0u);
    EXPECT_EQ(OfKinds(ReadJob(path), {JobCommand::Move}).size(), 1u);
    const std::vector<StoredCommand> job = StoredJob(path);
    EXPECT_EQ(CountOf(job, StoredBy([] { return Zint_wSetProcessRepeat(3, 2, 15, 15); })), 1);
    // The frame is the first cell, placed against the whole array's box (0, -15)-(40, 10), whose rows
    // run downwards: the origin is (20, -2.5).
    EXPECT_EQ(CountOf(job, StoredBy([] { return Zint_wSetProcessTopLeft(-20, 2.5); })), 1);
    EXPECT_EQ(CountOf(job, StoredBy([] { return Zint_wSetProcessBottomRight(-10, 12.5); })), 1);
}

TEST_F(JobWriterTest, ArrayBesideAnotherObjectIsExpandedIntoAllItsCells) {
    Add(SquareArray());
    Add(Square(100, 100, 5));
    const std::filesystem::path path = JobFile();
    ASSERT_EQ(WriteJob(path), 0u);
    EXPECT_EQ(OfKinds(ReadJob(path), {JobCommand::Move}).size(), 7u);
    EXPECT_EQ(CountOf(StoredJob(path), StoredBy([] { return Zint_wSetProcessRepeat(1, 1, 0, 0); })), 1);
    // The array copy and its cells went with the job; the drawing keeps its own array.
    EXPECT_EQ(gOutputList.CopyCount(), 0u);
    EXPECT_EQ(gOutputList.elements.IsEmpty(), 1);
    EXPECT_EQ(theCadMgr.elementList.GetCount(), 2);
}

TEST_F(JobWriterTest, NothingToOutputFailsWithoutCreatingAFile) {
    CCadCurve* square = Add(Square(0, 0, 10));
    square->layer->commonParams.COM_Output = 0;
    const std::filesystem::path path = JobFile();
    EXPECT_EQ(WriteJob(path), 1u);
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(JobWriterTest, FailedJobNeverEndedLeavesAnEarlierFileByteIdentical) {
    const std::filesystem::path path = JobFile();
    Add(Square(0, 0, 10));
    ASSERT_EQ(WriteJob(path), 0u);
    const auto earlier = platform::ReadWholeFile(path);
    ASSERT_TRUE(earlier);

    theCadMgr.DeleteAll();
    AddCurvesFailingHalfWay();
    EXPECT_EQ(WriteJob(path), 1u);
    EXPECT_EQ(platform::ReadWholeFile(path), earlier);
    // Nothing written after the failure reaches a job.
    EXPECT_NE(Zint_wSetBlockEnd(), 0);
}

TEST_F(JobWriterTest, FailedJobNeverEndedNeverRunsOnTheController) {
    motionlink::testing::InProcessEmulator emulator;
    UseEmulator();
    AddCurvesFailingHalfWay();
    CDataProcessDlg dialog;
    CDataProcessDlg::WriteJobThread(&dialog);
    EXPECT_EQ(dialog.failed.load(), 1u);

    ASSERT_EQ(Zint_Open(1, 0, "127.0.0.1"), 0);
    std::array<std::uint8_t, 5> status{9, 9, 9, 9, 9};
    EXPECT_EQ(Zint_GetMachineStauts(status.data()), 0);
    EXPECT_EQ(status, (std::array<std::uint8_t, 5>{}));
    std::uint32_t jobs = 9;
    EXPECT_EQ(Zint_GetTotalWorkNum(&jobs), 0);
    EXPECT_EQ(jobs, 0u);
    Zint_Close();
}

TEST_F(JobWriterTest, StreamedJobRunsOnTheController) {
    motionlink::testing::InProcessEmulator emulator;
    UseEmulator();
    Add(Square(0, 0, 10))->layer->commonParams.COM_Speed = 1.0;  // 40 s of cutting
    CDataProcessDlg dialog;
    CDataProcessDlg::WriteJobThread(&dialog);
    EXPECT_EQ(dialog.failed.load(), 0u);
    ASSERT_EQ(Zint_Open(1, 0, "127.0.0.1"), 0);
    std::array<std::uint8_t, 5> status{};
    EXPECT_EQ(Zint_GetMachineStauts(status.data()), 0);
    EXPECT_EQ(status[0], 1);
    EXPECT_EQ(Zint_StopProcess(), 0);
    Zint_Close();
}

TEST_F(JobWriterTest, WorkerClearsItsRunningFlagLastAndReportsTheResult) {
    Add(Square(0, 0, 10));
    CDataProcessDlg dialog;
    dialog.filePath = JobFile().string();
    dialog.failed = 1;
    dialog.Start();
    while (dialog.threadHandle.load()) {
        std::this_thread::yield();
    }
    EXPECT_EQ(dialog.failed.load(), 0u);
    EXPECT_EQ(ProgressRatio.load(), 1.0);
    EXPECT_TRUE(std::filesystem::exists(JobFile()));
}

TEST_F(JobWriterTest, FailedJobNeverEndedWhenTheFileCannotBeWritten) {
    Add(Square(0, 0, 10));
    EXPECT_EQ(WriteJob(JobFile("missing-folder/job.zint")), 1u);
}

TEST_F(JobWriterTest, LayerNumbersEveryRunCountOnlyOutputLayers) {
    CCadCurve* first = Add(Square(0, 0, 10), 0x000000);
    CCadCurve* skipped = Add(Square(20, 0, 10), 0xFF0000);
    CCadCurve* third = Add(Square(40, 0, 10), 0x0000FF);
    skipped->layer->commonParams.COM_Output = 0;
    first->layer->commonParams.COM_OutputNo = 0;  // as no output check has ever run
    third->layer->commonParams.COM_OutputNo = 0;
    const std::filesystem::path path = JobFile();
    ASSERT_EQ(WriteJob(path), 0u);
    const std::vector<StoredCommand> job = StoredJob(path);
    EXPECT_EQ(CountOf(job, StoredBy([] { return Zint_wSetLayerNum(0); })), 1);
    EXPECT_EQ(CountOf(job, StoredBy([] { return Zint_wSetLayerNum(1); })), 1);
    EXPECT_EQ(CountOf(job, StoredBy([] { return Zint_wSetLayerNum(255); })), 0);
    EXPECT_EQ(CountOf(job, StoredBy([] { return Zint_wPListMaxLayer(1); })), 1);
}

TEST_F(JobWriterTest, LayerNumbersBeyondTheListsFailBeforeAnythingOpens) {
    for (std::uint32_t layer = 0; layer < 129; ++layer) {
        Add(Square(layer * 12.0, 0, 10), layer + 1);
    }
    const std::filesystem::path path = JobFile();
    EXPECT_EQ(WriteJob(path), 1u);
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(JobWriterTest, FinishJobFreesExactlyTheCopiesMade) {
    auto group = std::make_unique<CCadGroup>();
    group->children.AddTail(Square(0, 0, 10).release());
    group->CalRect();
    Add(std::move(group));
    Add(SquareArray());
    Add(Square(100, 100, 5));
    ASSERT_EQ(CollectOutputObjects(gOutputList), 1);
    EXPECT_EQ(gOutputList.CopyCount(), 2u);
    gOutputList.ExpandArrays();
    EXPECT_EQ(gOutputList.elements.GetCount(), 8);  // group copy, six cells, the square
    CDataProcessDlg dialog;
    CDataProcessDlg::FinishJob(&dialog, nullptr, 1);
    EXPECT_EQ(gOutputList.CopyCount(), 0u);
    EXPECT_EQ(gOutputList.elements.IsEmpty(), 1);
    // The drawing's own elements are untouched (the sanitizer reports any copy left behind).
    EXPECT_EQ(theCadMgr.elementList.GetCount(), 3);
}

// Read back as travel moves: the drawing's order puts the outer square first, the cutting order the
// square inside it.
//
//   +------------------+
//   |      +----+      |      +----+
//   |      |    |      |      |    |
//   |      +----+      |      +----+
//   +------------------+
TEST_F(JobWriterTest, OrderedBodyCutsTheInnerContourBeforeTheOuterOne) {
    gGeneralSettings.laserHeadPosition = 6;
    gProcessCtrlSettings.pathOptimise = 1;
    gOptimSettings.orderOfLayer = 0;
    gOptimSettings.insideToOutside = 1;
    Add(Square(0, 0, 50));
    Add(Square(20, 20, 10));
    Add(Square(60, 20, 10));
    // Each curve may start at any of its corners: a move is told by the square whose corner it reaches.
    const std::vector<Cmd> travel = OfKinds(JobPath(), {JobCommand::Move});
    ASSERT_EQ(travel.size(), 3u);
    auto within = [](const Cmd& move, double low, double high) {
        return move.a >= low && move.a <= high && move.b >= low && move.b <= high;
    };
    const auto inner =
        std::find_if(travel.begin(), travel.end(), [&](const Cmd& m) { return within(m, 20, 30); });
    const auto outer = std::find_if(travel.begin(), travel.end(),
                                    [&](const Cmd& m) { return within(m, 0, 50) && !within(m, 20, 30); });
    ASSERT_NE(inner, travel.end());
    ASSERT_NE(outer, travel.end());
    EXPECT_LT(inner, outer);
}

TEST(SetRefCoordByPosTest, RowsOfTheGridTakeTheHighMiddleOrLowValue) {
    struct Case {
        std::uint16_t code;
        double originY;
    };
    for (const Case& c :
         {Case{0, 8}, Case{2, 8}, Case{3, 5}, Case{5, 5}, Case{6, 2}, Case{8, 2}, Case{9, -1}}) {
        JobFrame frame;
        frame.originY = -1;
        SetRefCoordByPos(&frame, 2, 8, c.code);
        EXPECT_EQ(frame.originY, c.originY) << "code " << c.code;
    }
}

}  // namespace
}  // namespace joboutput::testing
