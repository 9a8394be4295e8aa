// Downloads over a link that loses, garbles or delays packets arrive whole, and a download that fails
// (the controller gone, or refusing the document) leaves the controller's document store as it was.
#include "MotionlinkLink.h"
#include "TestControllers.h"
#include "TempHome.h"
#include "TestJobs.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <optional>

namespace motionlink::testing {
namespace {

constexpr std::size_t kMegabyte = 1024 * 1024;

emulator::EmulatorOptions OptionsWith(const emulator::FaultOptions& faults) {
    emulator::EmulatorOptions options = InProcessEmulator::DefaultOptions();
    options.faults = faults;
    return options;
}

struct LossyLink {
    const char* name;
    emulator::FaultOptions faults;
    bool serial = false;  // over a pseudo-terminal standing for COM1, not UDP
};

class LossyDownloadTest : public ::testing::TestWithParam<LossyLink> {};

// Seeded faults, in both directions: every run loses the same share of packets.
TEST_P(LossyDownloadTest, MegabyteArrivesByteForByte) {
    emulator::EmulatorOptions options = OptionsWith(GetParam().faults);
    const std::filesystem::path serialFolder = cutrix::testing::TempHome() / "serial";
    if (GetParam().serial) {
        std::filesystem::create_directories(serialFolder);
        ::setenv("CUTRIX_SERIAL_DIR", serialFolder.c_str(), 1);
        options.serial = true;
        options.serialLink = serialFolder / "ttyS0";
    }
    InProcessEmulator controller(options);
    const std::vector<std::uint8_t> job = PatternBytes(kMegabyte);
    ASSERT_EQ(DownloadDocument("LOSSY", job, GetParam().serial ? 1 : 0), 0);
    ::unsetenv("CUTRIX_SERIAL_DIR");
    const emulator::ControllerState state = controller.Server().StateSnapshot();
    ASSERT_EQ(state.documents.size(), 1u);
    EXPECT_EQ(state.documents[0].name, "LOSSY");
    EXPECT_TRUE(state.documents[0].bytes == job);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, LossyDownloadTest,
    ::testing::Values(LossyLink{"drop20", {.dropShare = 0.2, .seed = 7}},
                      LossyLink{"corrupt10", {.corruptShare = 0.1, .seed = 8}},
                      LossyLink{"delay20", {.delayShare = 0.2, .delay = std::chrono::milliseconds(40), .seed = 9}},
                      LossyLink{"serialDrop20", {.dropShare = 0.2, .seed = 10}, true},
                      LossyLink{"serialCorrupt10", {.corruptShare = 0.1, .seed = 11}, true}),
    [](const ::testing::TestParamInfo<LossyLink>& info) { return std::string(info.param.name); });

// The controller falls silent halfway (stopped, its port still taken so that nothing reports it
// unreachable): the download reports the communication error once nothing has come for the deadline
// (2.5 s), not sooner and not much later, and the controller, started again, holds no part of it. The
// upper bound leaves room for a machine busy with a whole parallel test run.
TEST(FailedDownloadTest, ControllerGoneMidwayGivesTheErrorAfterTheDeadlineAndNoDocument) {
    InProcessEmulator controller;
    const std::vector<std::uint8_t> job = PatternBytes(256 * 1024);
    ASSERT_EQ(Zint_Open(1, 0, "127.0.0.1"), 0);
    ASSERT_EQ(Zint_StrtDownFile("CUT"), 0);
    const std::size_t half = job.size() / 2;
    for (std::size_t at = 0; at < half; at += 1024) {
        ASSERT_EQ(Zint_WritePort(job.data() + at, 1024), 0);
    }
    const auto stopped = std::chrono::steady_clock::now();
    controller.Server().Stop();
    std::optional<SilentController> silent(std::in_place, controller.Port());
    std::uint16_t status = 0;
    for (std::size_t at = half; status == 0 && at < job.size(); at += 1024) {
        status = Zint_WritePort(job.data() + at, 1024);
    }
    if (status == 0) {
        status = Zint_Close();
    }
    const auto waited = std::chrono::steady_clock::now() - stopped;
    EXPECT_EQ(status, kLinkCommunicationError);
    EXPECT_GE(waited, std::chrono::milliseconds(2400));
    EXPECT_LT(waited, std::chrono::milliseconds(6000));
    Zint_Close();

    silent.reset();
    controller.Restart();
    EXPECT_TRUE(controller.Server().StateSnapshot().documents.empty());
}

// A second download of the same name that the controller refuses (too large for its store) leaves the
// first document whole, and adds nothing.
TEST(FailedDownloadTest, RefusedDownloadKeepsTheEarlierDocumentOfThatName) {
    emulator::EmulatorOptions options = InProcessEmulator::DefaultOptions();
    options.controller.maxDocumentBytes = 64 * 1024;
    InProcessEmulator controller(options);
    const std::vector<std::uint8_t> first = PatternBytes(40 * 1024);
    ASSERT_EQ(DownloadDocument("JOB", first), 0);
    EXPECT_EQ(DownloadDocument("JOB", PatternBytes(100 * 1024)), kLinkRefused);

    const emulator::ControllerState state = controller.Server().StateSnapshot();
    ASSERT_EQ(state.documents.size(), 1u);
    EXPECT_EQ(state.documents[0].name, "JOB");
    EXPECT_TRUE(state.documents[0].bytes == first);
}

}  // namespace
}  // namespace motionlink::testing
