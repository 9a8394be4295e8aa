// The job-writing calls as callers use them: opening a job on a file or on the connection, refusing
// values the job cannot carry, and writing the same bytes whichever way the job goes.
#include "MotionlinkJob.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <ostream>
#include <string>
#include <vector>

#include "AtomicFile.h"
#include "ConnectionJobSink.h"
#include "JobFileSink.h"
#include "JobMemorySink.h"
#include "TempHome.h"

namespace {

// The job state is one per process; every test leaves it closed and without a connection.
class MotionlinkJobTest : public ::testing::Test {
  protected:
    void TearDown() override {
        motionlink::SetConnectionJobSink(nullptr);
        Zint_StrtWFile(nullptr);
    }
};

void WriteSmallJob() {
    ASSERT_EQ(Zint_wSetRefPointMode(1), 0);
    ASSERT_EQ(Zint_wStrtProcess(), 0);
    ASSERT_EQ(Zint_wPListVel(0, 100.0), 0);
    ASSERT_EQ(Zint_wSetEngVel(100.0), 0);
    ASSERT_EQ(Zint_ExwSetMaxPower(55.5, 44.4, 1), 0);
    ASSERT_EQ(Zint_wMoveTo(nullptr, nullptr, 12.5, -3.25), 0);
    ASSERT_EQ(Zint_wLineTo(nullptr, nullptr, 12.5, 40.0), 0);
    ASSERT_EQ(Zint_wSetBlockEnd(), 0);
    ASSERT_EQ(Zint_wSetFileEnd(), 0);
}

TEST_F(MotionlinkJobTest, CallsWithoutAnOpenJobAreRefused) {
    EXPECT_EQ(Zint_wSetEngVel(10.0), motionlink::kJobNoJobOpen);
    EXPECT_EQ(Zint_wSetFileEnd(), motionlink::kJobNoJobOpen);
}

TEST_F(MotionlinkJobTest, StreamingWithoutAConnectionIsACommunicationError) {
    EXPECT_EQ(Zint_StrtWFile(nullptr), motionlink::kJobCommunicationError);
    EXPECT_EQ(Zint_wStrtProcess(), motionlink::kJobNoJobOpen);
}

TEST_F(MotionlinkJobTest, JobFileAndConnectionStreamCarryTheSameBytes) {
    motionlink::JobMemorySink connection;
    motionlink::SetConnectionJobSink(&connection);
    ASSERT_EQ(Zint_StrtWFile(nullptr), 0);
    WriteSmallJob();
    EXPECT_TRUE(connection.IsFinished());

    const auto path = cutrix::testing::TempHome() / "job.zint";
    motionlink::JobFileSink file(path);
    ASSERT_EQ(Zint_StrtWFile(&file), 0);
    WriteSmallJob();

    EXPECT_EQ(platform::ReadWholeFile(path).value(), connection.Bytes());
    EXPECT_FALSE(connection.Bytes().empty());
}

TEST_F(MotionlinkJobTest, JobFileAppearsOnlyAtTheFileEnd) {
    const auto path = cutrix::testing::TempHome() / "job.zint";
    motionlink::JobFileSink file(path);
    ASSERT_EQ(Zint_StrtWFile(&file), 0);
    ASSERT_EQ(Zint_wMoveTo(nullptr, nullptr, 1.0, 2.0), 0);
    EXPECT_FALSE(std::filesystem::exists(path));
    ASSERT_EQ(Zint_wSetFileEnd(), 0);
    EXPECT_TRUE(std::filesystem::exists(path));
}

TEST_F(MotionlinkJobTest, UnwritableJobFileReportsTheFailureAtTheFileEnd) {
    motionlink::JobFileSink file(cutrix::testing::TempHome() / "no-such-folder" / "job.zint");
    ASSERT_EQ(Zint_StrtWFile(&file), 0);
    EXPECT_EQ(Zint_wSetFileEnd(), motionlink::kJobWriteFailed);
    EXPECT_EQ(Zint_wSetBlockEnd(), motionlink::kJobNoJobOpen);
}

TEST_F(MotionlinkJobTest, ClosingTheConnectionDropsTheStreamingJob) {
    motionlink::JobMemorySink connection;
    motionlink::SetConnectionJobSink(&connection);
    ASSERT_EQ(Zint_StrtWFile(nullptr), 0);
    motionlink::SetConnectionJobSink(nullptr);
    EXPECT_EQ(Zint_wStrtProcess(), motionlink::kJobNoJobOpen);
    EXPECT_TRUE(connection.Bytes().empty());
}

TEST_F(MotionlinkJobTest, ClosingTheConnectionLeavesAFileJobAlone) {
    motionlink::JobMemorySink connection;
    motionlink::JobMemorySink file;
    motionlink::SetConnectionJobSink(&connection);
    ASSERT_EQ(Zint_StrtWFile(&file), 0);
    motionlink::SetConnectionJobSink(nullptr);
    EXPECT_EQ(Zint_wStrtProcess(), 0);
}

TEST_F(MotionlinkJobTest, CellsReceiveTheRoundedRunningPosition) {
    motionlink::JobMemorySink sink;
    ASSERT_EQ(Zint_StrtWFile(&sink), 0);
    std::int32_t cellX = 0;
    std::int32_t cellY = 0;
    ASSERT_EQ(Zint_wMoveTo(&cellX, &cellY, 1.2345, -0.0005), 0);
    EXPECT_EQ(cellX, 1235);
    EXPECT_EQ(cellY, -1);
    ASSERT_EQ(Zint_wLineTo(&cellX, &cellY, -2.0, 3.0), 0);
    EXPECT_EQ(cellX, -2000);
    EXPECT_EQ(cellY, 3000);
}

struct BadCall {
    std::string name;
    std::function<std::uint16_t()> call;
};

void PrintTo(const BadCall& testCase, std::ostream* out) {
    *out << testCase.name;
}

class MotionlinkJobBadArgumentTest : public MotionlinkJobTest,
                                     public ::testing::WithParamInterface<BadCall> {};

// A refused call writes nothing, so the job stays exactly as it was.
TEST_P(MotionlinkJobBadArgumentTest, IsRefusedAndWritesNothing) {
    motionlink::JobMemorySink sink;
    ASSERT_EQ(Zint_StrtWFile(&sink), 0);
    EXPECT_EQ(GetParam().call(), motionlink::kJobBadArgument);
    EXPECT_TRUE(sink.Bytes().empty());
}

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

INSTANTIATE_TEST_SUITE_P(
    Calls, MotionlinkJobBadArgumentTest,
    ::testing::Values(
        BadCall{"PositionNotANumber", [] { return Zint_wMoveTo(nullptr, nullptr, kNaN, 0.0); }},
        BadCall{"PositionBeyondTheRange", [] { return Zint_wLineTo(nullptr, nullptr, 0.0, 3.0e6); }},
        BadCall{"LayerIndexAbove127", [] { return Zint_wPListVel(128, 10.0); }},
        BadCall{"LaserThree", [] { return Zint_wPListMinP(0, 3, 0.5); }},
        BadCall{"ListPowerAboveOne", [] { return Zint_wPListMaxP(0, 1, 1.5); }},
        BadCall{"PercentAbove100", [] { return Zint_ExwSetMaxPower(100.5, 10.0, 1); }},
        BadCall{"SecondLaserPercentNegative", [] { return Zint_ExwSetImdPower(10.0, -1.0, 1); }},
        BadCall{"NegativeSpeed", [] { return Zint_wSetEngVel(-1.0); }},
        BadCall{"NegativeDotTime", [] { return Zint_wSetLaserInterval(-0.1); }},
        BadCall{"AxisAboveSeven", [] { return Zint_wAxisMove(8, 1.0, 0, 0, 0); }},
        BadCall{"RotateRatioInfinite",
                [] { return Zint_SetRotateRatio(1, std::numeric_limits<double>::infinity()); }},
        BadCall{"RepeatCountBeyondRange", [] { return Zint_wSetProcessRepeat(0x80000000u, 1, 0, 0); }},
        BadCall{"MaxLayerAbove127", [] { return Zint_wPListMaxLayer(200); }}),
    [](const ::testing::TestParamInfo<BadCall>& info) { return info.param.name; });

}  // namespace
