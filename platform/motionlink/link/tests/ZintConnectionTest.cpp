// Opening the controller over the network and over a serial line, what a mismatch and a missing
// controller give, and the rules that say where a connection goes.
#include "ControllerConnection.h"
#include "MotionlinkLink.h"
#include "TempHome.h"
#include "TestControllers.h"
#include "TestJobs.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>

namespace motionlink::testing {
namespace {

TEST(ZintConnectionTest, NetworkOpenReachesTheControllerUntilClosed) {
    InProcessEmulator controller;
    ASSERT_EQ(Zint_Open(1, 0, "127.0.0.1"), 0);
    std::string version;
    EXPECT_EQ(Zint_GetManiboardVer(&version), 0);
    EXPECT_EQ(version, emulator::kDefaultBoardVersion);
    std::array<std::uint8_t, 5> status{9, 9, 9, 9, 9};
    EXPECT_EQ(Zint_GetMachineStauts(status.data()), 0);
    EXPECT_EQ(status, (std::array<std::uint8_t, 5>{}));

    Zint_Close();
    EXPECT_EQ(Zint_GetMachineStauts(status.data()), kLinkCommunicationError);
}

TEST(ZintConnectionTest, ControllerReportingAMismatchGivesStatus2AndLeavesNothingOpen) {
    emulator::EmulatorOptions options = InProcessEmulator::DefaultOptions();
    options.controller.reportMismatch = true;
    InProcessEmulator controller(options);
    EXPECT_EQ(Zint_Open(1, 0, "127.0.0.1"), kLinkMismatch);
    std::array<std::uint8_t, 5> status{};
    EXPECT_EQ(Zint_GetMachineStauts(status.data()), kLinkCommunicationError);
}

TEST(ZintConnectionTest, CardVersionTheControllerDoesNotServeGivesTheMismatch) {
    InProcessEmulator controller;
    Zint_SetCardVer(321);
    EXPECT_EQ(Zint_Open(1, 0, "127.0.0.1"), kLinkMismatch);
    Zint_SetCardVer(320);
    EXPECT_EQ(Zint_Open(1, 0, "127.0.0.1"), 0);
}

TEST(ZintConnectionTest, ControllerNotRunningGivesTheCommunicationErrorWithinSeconds) {
    const NoController nobody;
    UseControllerPort(nobody.Port());
    const auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(Zint_Open(1, 0, NoController::kAddress), kLinkCommunicationError);
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(5));
}

TEST(ZintConnectionTest, ControllerThatNeverAnswersGivesTheCommunicationErrorWithinSeconds) {
    ScriptedController silent([](const link::Frame&) { return std::optional<link::Frame>(); });
    UseControllerPort(silent.Port());
    const auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(Zint_Open(1, 0, "127.0.0.1"), kLinkCommunicationError);
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(5));
    EXPECT_GE(silent.RequestsSeen(), 3);  // it was asked again before the link gave up
}

TEST(ZintConnectionTest, AddressThatIsNotDottedIpv4IsACommunicationError) {
    EXPECT_EQ(Zint_Open(1, 0, "not an address"), kLinkCommunicationError);
}

class SerialConnection : public ::testing::Test {
  protected:
    void SetUp() override {
        serialFolder_ = cutrix::testing::TempHome() / "serial";
        std::filesystem::create_directories(serialFolder_);
        ::setenv("CUTRIX_SERIAL_DIR", serialFolder_.c_str(), 1);
    }
    void TearDown() override { ::unsetenv("CUTRIX_SERIAL_DIR"); }

    // An emulator whose pseudo-terminal stands as COM port `comPort`.
    emulator::EmulatorOptions OnComPort(std::uint16_t comPort) const {
        emulator::EmulatorOptions options = InProcessEmulator::DefaultOptions();
        options.serial = true;
        options.serialLink = link::SerialDevicePath(comPort);
        return options;
    }

    std::filesystem::path serialFolder_;
};

TEST_F(SerialConnection, ComPortMapsToItsDeviceInTheSerialFolder) {
    EXPECT_EQ(link::SerialDevicePath(1), serialFolder_ / "ttyS0");
    EXPECT_EQ(link::SerialDevicePath(256), serialFolder_ / "ttyS255");
    ::unsetenv("CUTRIX_SERIAL_DIR");
    EXPECT_EQ(link::SerialDevicePath(3), std::filesystem::path("/dev/ttyS2"));
}

TEST_F(SerialConnection, NamedComPortOpensTheControllerOnThePseudoTerminal) {
    InProcessEmulator controller(OnComPort(3));
    ASSERT_EQ(Zint_Open(0, 3, "192.168.1.100"), 0);
    std::array<std::uint8_t, 5> status{9};
    EXPECT_EQ(Zint_GetMachineStauts(status.data()), 0);
    EXPECT_EQ(status[0], 0);
    Zint_Close();
    EXPECT_EQ(Zint_Open(0, 4, "192.168.1.100"), kLinkCommunicationError);
}

TEST_F(SerialConnection, AutomaticPortFindsTheControllerAmongTheDevices) {
    InProcessEmulator controller(OnComPort(7));
    EXPECT_EQ(Zint_Open(0, 0, "192.168.1.100"), 0);
    std::string version;
    EXPECT_EQ(Zint_GetManiboardVer(&version), 0);
}

// The window of chunks on a serial line that loses frames both ways: the document arrives whole.
TEST_F(SerialConnection, DownloadOverALossyLineArrivesByteForByte) {
    emulator::EmulatorOptions options = OnComPort(2);
    options.faults.dropShare = 0.1;
    options.faults.seed = 11;
    InProcessEmulator controller(options);
    const std::vector<std::uint8_t> job = PatternBytes(24 * 1024);
    std::uint16_t status = Zint_Open(0, 2, "192.168.1.100");
    ASSERT_EQ(status, 0);
    ASSERT_EQ(Zint_StrtDownFile("SERIAL"), 0);
    for (std::size_t at = 0; status == 0 && at < job.size(); at += 1024) {
        status = Zint_WritePort(job.data() + at, 1024);
    }
    EXPECT_EQ(status, 0);
    EXPECT_EQ(Zint_Close(), 0);
    const emulator::ControllerState state = controller.Server().StateSnapshot();
    ASSERT_EQ(state.documents.size(), 1u);
    EXPECT_TRUE(state.documents[0].bytes == job);
}

TEST_F(SerialConnection, AutomaticPortWithoutAnyDeviceIsACommunicationError) {
    EXPECT_EQ(Zint_Open(0, 0, "192.168.1.100"), kLinkCommunicationError);
}

TEST(ControllerUdpPortTest, EnvironmentNamesThePortAndNonsenseFallsBackToTheDefault) {
    ::setenv("CUTRIX_MOTIONLINK_PORT", "50123", 1);
    EXPECT_EQ(link::ControllerUdpPort(), 50123);
    for (const char* nonsense : {"", "0", "65536", "port", "-1"}) {
        ::setenv("CUTRIX_MOTIONLINK_PORT", nonsense, 1);
        EXPECT_EQ(link::ControllerUdpPort(), link::kDefaultUdpPort) << nonsense;
    }
    ::unsetenv("CUTRIX_MOTIONLINK_PORT");
    EXPECT_EQ(link::ControllerUdpPort(), link::kDefaultUdpPort);
}

}  // namespace
}  // namespace motionlink::testing
