// Jobs streamed into the connection, process control and direct moves.
#include "JobFileSink.h"
#include "MotionlinkJob.h"
#include "MotionlinkLink.h"
#include "TempHome.h"
#include "TestControllers.h"
#include "TestJobs.h"

#include <gtest/gtest.h>

#include <array>

#include "AtomicFile.h"

namespace motionlink::testing {
namespace {

std::array<std::uint8_t, 5> MachineStatus() {
    std::array<std::uint8_t, 5> status{9, 9, 9, 9, 9};
    EXPECT_EQ(Zint_GetMachineStauts(status.data()), 0);
    return status;
}

class ZintProcessTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_EQ(Zint_Open(1, 0, "127.0.0.1"), 0); }
    InProcessEmulator controller_;
};

// A job streamed into a download arrives as exactly the bytes that the same job has in a job file.
TEST_F(ZintProcessTest, StreamedJobIsByteForByteTheJobFile) {
    const std::filesystem::path file = cutrix::testing::TempHome() / "job.zint";
    JobFileSink fileSink(file);
    ASSERT_EQ(WriteSampleJob(&fileSink, 300, 50.0), 0);  // several chunks' worth
    const std::optional<std::vector<std::uint8_t>> fileBytes = platform::ReadWholeFile(file);
    ASSERT_TRUE(fileBytes);
    ASSERT_GT(fileBytes->size(), 3000u);

    ASSERT_EQ(Zint_StrtDownFile("STREAM"), 0);
    ASSERT_EQ(WriteSampleJob(nullptr, 300, 50.0), 0);
    std::uint16_t status = 0;
    EXPECT_EQ(UploadDocument(1, status), *fileBytes);
    EXPECT_EQ(status, 0);
}

TEST_F(ZintProcessTest, StreamedJobRunsAndCanBePausedResumedAndStopped) {
    ASSERT_EQ(WriteSampleJob(nullptr, 10, 1.0), 0);  // 400 s of cutting
    EXPECT_EQ(MachineStatus(), (std::array<std::uint8_t, 5>{1, 0, 0, 0, 0}));
    EXPECT_EQ(Zint_PauseProcess(), 0);
    EXPECT_EQ(MachineStatus(), (std::array<std::uint8_t, 5>{1, 1, 0, 0, 0}));
    EXPECT_EQ(Zint_PauseProcess(), kLinkRefused);
    EXPECT_EQ(Zint_RestoreProcess(), 0);
    EXPECT_EQ(MachineStatus()[1], 0);
    EXPECT_EQ(WriteSampleJob(nullptr, 1, 1.0), kLinkRefused);  // the machine is busy
    EXPECT_EQ(Zint_StopProcess(), 0);
    EXPECT_EQ(MachineStatus(), (std::array<std::uint8_t, 5>{}));
    std::uint32_t jobs = 0;
    EXPECT_EQ(Zint_GetTotalWorkNum(&jobs), 0);
    EXPECT_EQ(jobs, 1u);
}

TEST_F(ZintProcessTest, IdleMachineRefusesPauseAndResume) {
    EXPECT_EQ(Zint_PauseProcess(), kLinkRefused);
    EXPECT_EQ(Zint_RestoreProcess(), kLinkRefused);
    EXPECT_EQ(Zint_StopProcess(), 0);
}

TEST_F(ZintProcessTest, AxisMovesGoFromTheOriginOrByTheDistanceAndHome) {
    auto position = [](std::uint32_t axis) {
        std::int32_t micrometres = -1;
        EXPECT_EQ(Zint_GetAxisPrfPos(axis, &micrometres), 0);
        return micrometres;
    };
    ASSERT_EQ(Zint_SetEngVel(50.0), 0);
    ASSERT_EQ(Zint_ExSetMinPower(10, 10, 1), 0);
    ASSERT_EQ(Zint_ExSetMaxPower(10, 10, 1), 0);
    EXPECT_EQ(Zint_AxisMove(1, 12.5, 0, 0, 2), 0);
    EXPECT_EQ(Zint_AxisMove(1, -2.5, 0, 0, 3), 0);
    EXPECT_EQ(position(1), 10000);
    EXPECT_EQ(Zint_AxisMove(2, 7.0, 0, 0, 0), 0);
    EXPECT_EQ(Zint_AxisMove(2, 1.0, 0, 0, 1), 0);
    EXPECT_EQ(position(2), 1000);
    EXPECT_EQ(Zint_AxisMove(3, -4.0, 0, 0, 2), 0);
    EXPECT_EQ(position(3), -4000);
    EXPECT_EQ(Zint_AxisMove(5, 0.0, 0, 0, 0), 0);  // X and Y home
    EXPECT_EQ(position(1), 0);
    EXPECT_EQ(position(2), 0);
    EXPECT_EQ(position(3), -4000);
    EXPECT_EQ(Zint_AxisMove(4, 1.0, 0, 0, 2), kLinkRefused);
    EXPECT_EQ(Zint_AxisMove(1, 1.0, 0, 0, 4), kLinkRefused);
    EXPECT_EQ(Zint_ExSetMaxPower(150, 10, 1), kLinkRefused);
}

TEST(ZintProcessWithoutConnectionTest, StreamingAJobNeedsAnOpenConnection) {
    Zint_Close();
    EXPECT_EQ(Zint_StrtWFile(nullptr), kLinkCommunicationError);
}

}  // namespace
}  // namespace motionlink::testing
