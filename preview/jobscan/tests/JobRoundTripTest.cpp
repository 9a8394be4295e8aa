// A job written through the controller library's job calls and read back by the job reader gives
// exactly the commands the reader is meant to see; everything else the writer sends is skipped.
#include <gtest/gtest.h>

#include <vector>

#include "JobCommandTestSupport.h"
#include "JobFileSink.h"
#include "Jobscan.h"
#include "MotionlinkJob.h"
#include "TempHome.h"

namespace {

using jobscan::testing::Ramp;
using jobscan::testing::ToVector;

double Mm(int units) {
    return units * 0.001;
}
double Level(int level) {
    return level / 16383.0;
}
JobCommand Rec(JobCommand::Kind kind, double a = 0.0, double b = 0.0) {
    return JobCommand{kind, a, b};
}

class JobRoundTripTest : public ::testing::Test {
  protected:
    std::vector<JobCommand> ReadBack() {
        CDbList<JobCommand> list;
        EXPECT_EQ(Zint_ReadZintFile(path_.c_str(), &list, 1), 0);
        return ToVector(list);
    }

    std::filesystem::path path_ = cutrix::testing::TempHome() / "roundtrip.zint";
    motionlink::JobFileSink sink_{path_};
};

void WriteHeaderAndLayerLists() {
    ASSERT_EQ(Zint_wSetRefPointMode(2), 0);
    ASSERT_EQ(Zint_wSetAbsProcess(), 0);
    ASSERT_EQ(Zint_wStrtProcess(), 0);
    ASSERT_EQ(Zint_wSetFeedRepeat(3, 12.5), 0);
    ASSERT_EQ(Zint_SetRotateRatio(1, 0.0123), 0);
    ASSERT_EQ(Zint_wSetProcessTopLeft(-10.01, -5.0), 0);
    ASSERT_EQ(Zint_wSetProcessBottomRight(110.0, 95.5), 0);
    ASSERT_EQ(Zint_wSetProcessRepeat(2, 3, 120.0, 100.5), 0);
    ASSERT_EQ(Zint_wArrayDir(1, 0), 0);
    ASSERT_EQ(Zint_wPListVel(0, 150.0), 0);
    ASSERT_EQ(Zint_wPListMinP(0, 1, 0.1), 0);
    ASSERT_EQ(Zint_wPListMinP(0, 2, 0.2), 0);
    ASSERT_EQ(Zint_wPListMaxP(0, 1, 0.8), 0);
    ASSERT_EQ(Zint_wPListMaxP(0, 2, 1.0), 0);
    ASSERT_EQ(Zint_wPListColor(0, 0x00FF8000), 0);
    ASSERT_EQ(Zint_wPListVel(1, 0.0), 0);
    ASSERT_EQ(Zint_wPListMaxLayer(1), 0);
}

// A cut layer's block: head, a travel move, pen down, cuts along each axis, pen up.
void WriteCutBlock() {
    ASSERT_EQ(Zint_wSetWorkMode(0), 0);
    ASSERT_EQ(Zint_wSetLayerNum(0), 0);
    ASSERT_EQ(Zint_wSetLayerDevice(0), 0);
    ASSERT_EQ(Zint_wSetLayerBlower(1), 0);
    ASSERT_EQ(Zint_wSetEngVel(30.0), 0);
    ASSERT_EQ(Zint_wSetAxisVel(5.0), 0);
    ASSERT_EQ(Zint_wLaserOn2(-1.5), 0);
    ASSERT_EQ(Zint_wLaserOff2(2.0), 0);
    ASSERT_EQ(Zint_ExwSetMinPower(10.0, 10.0, 1), 0);
    ASSERT_EQ(Zint_ExwSetMaxPower(80.0, 60.0, 1), 0);
    ASSERT_EQ(Zint_wEnLaserTube(1, 0), 0);
    ASSERT_EQ(Zint_wEnExIO(0, 0, 0, 0), 0);
    std::int32_t cellX = 0;
    std::int32_t cellY = 0;
    ASSERT_EQ(Zint_wMoveTo(&cellX, &cellY, 10.0, 20.0), 0);
    ASSERT_EQ(Zint_wAxisMove(3, -2.5, 0, 0, 0), 0);
    ASSERT_EQ(Zint_wLineTo(&cellX, &cellY, 15.0, 20.0), 0);
    ASSERT_EQ(Zint_wLineTo(&cellX, &cellY, 15.0004, 25.0), 0);
    ASSERT_EQ(Zint_wAxisMove(3, 2.5, 0, 0, 0), 0);
    ASSERT_EQ(Zint_wSetBlockEnd(), 0);
}

// A scan block as the bitmap output writes it: constant-power runs and a ramped run, then a dot.
void WriteScanBlock() {
    ASSERT_EQ(Zint_wSetWorkMode(2), 0);
    ASSERT_EQ(Zint_wSetForceEngVel(12.0), 0);
    ASSERT_EQ(Zint_wMoveTo(nullptr, nullptr, 0.0, 0.0), 0);
    ASSERT_EQ(Zint_ExwSetImdPower(50.0, 50.0, 1), 0);
    ASSERT_EQ(Zint_ExwSetEndPower(50.0, 50.0, 1), 0);
    ASSERT_EQ(Zint_wLineTo(nullptr, nullptr, 2.0, 0.0), 0);
    ASSERT_EQ(Zint_ExwSetImdPower(20.0, 20.0, 1), 0);
    ASSERT_EQ(Zint_ExwSetEndPower(100.0, 100.0, 1), 0);
    ASSERT_EQ(Zint_wLineTo(nullptr, nullptr, 4.0, 0.0), 0);
    ASSERT_EQ(Zint_wSetLaserInterval(0.25), 0);
    ASSERT_EQ(Zint_wSetBlockEnd(), 0);
}

TEST_F(JobRoundTripTest, ReaderSeesExactlyTheWrittenMotionAndProcessCommands) {
    ASSERT_EQ(Zint_StrtWFile(&sink_), 0);
    WriteHeaderAndLayerLists();
    WriteCutBlock();
    WriteScanBlock();
    ASSERT_EQ(Zint_wSetFileEnd(), 0);

    std::vector<JobCommand> expected{
        Rec(JobCommand::IndexedSpeed, 0.0, Mm(150000)),
        Rec(JobCommand::IndexedPower1, 0.0, Level(1638)),
        Rec(JobCommand::IndexedPower2, 0.0, Level(3277)),
        Rec(JobCommand::IndexedPower3, 0.0, Level(13106)),
        Rec(JobCommand::IndexedPower4, 0.0, 1.0),
        Rec(JobCommand::IndexedValue, 0.0, 0x00FF8000),
        Rec(JobCommand::IndexedSpeed, 1.0, 0.0),
        Rec(JobCommand::ParamByte, 1.0),
        Rec(JobCommand::Speed, Mm(30000)),
        Rec(JobCommand::Power, Level(13106)),
        Rec(JobCommand::Move, Mm(10000), Mm(20000)),
        Rec(JobCommand::AxisMove, 3.0, Mm(-2500)),
        Rec(JobCommand::Cut, Mm(15000), Mm(20000)),
        Rec(JobCommand::Cut, Mm(15000), Mm(25000)),
        Rec(JobCommand::AxisMove, 3.0, Mm(2500)),
        Rec(JobCommand::Move, 0.0, 0.0),
        Rec(JobCommand::Power, Level(8192)),
        Rec(JobCommand::Power, Level(8192)),
        Rec(JobCommand::Cut, Mm(2000), 0.0),
        Rec(JobCommand::Power, Level(3277)),
        Rec(JobCommand::Power, 1.0),
    };
    const std::vector<JobCommand> ramp = Ramp(2000, 0, 4000, 0, Level(3277), 1.0);
    expected.insert(expected.end(), ramp.begin(), ramp.end());
    expected.push_back(Rec(JobCommand::Delay, 250000 * 0.000001));

    EXPECT_EQ(ReadBack(), expected);
}

// Small steps are rounded from their absolute positions, so their rounding never adds up.
TEST_F(JobRoundTripTest, ManySubMicrometreStepsEndAtTheRoundedTarget) {
    ASSERT_EQ(Zint_StrtWFile(&sink_), 0);
    for (int step = 1; step <= 1000; ++step) {
        ASSERT_EQ(Zint_wLineTo(nullptr, nullptr, step * 0.0004, step * -0.0006), 0);
    }
    ASSERT_EQ(Zint_wSetFileEnd(), 0);

    const std::vector<JobCommand> commands = ReadBack();
    ASSERT_EQ(commands.size(), 1000u);
    EXPECT_EQ(commands[0], Rec(JobCommand::Cut, 0.0, Mm(-1)));
    EXPECT_EQ(commands.back(), Rec(JobCommand::Cut, Mm(400), Mm(-600)));
}

TEST_F(JobRoundTripTest, UnfinishedJobWritesNoFile) {
    ASSERT_EQ(Zint_StrtWFile(&sink_), 0);
    ASSERT_EQ(Zint_wMoveTo(nullptr, nullptr, 1.0, 1.0), 0);
    ASSERT_EQ(Zint_StrtWFile(nullptr), 1);
    EXPECT_FALSE(std::filesystem::exists(path_));
}

}  // namespace
