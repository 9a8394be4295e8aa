// Reading the controller's password on loopback: the emulator's password, a short one that ends at its
// NUL, and no controller.
#include "ControllerPassword.h"
#include "ControllerState.h"
#include "MotionlinkLink.h"
#include "SevenBitGroups.h"
#include "TestControllers.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace stationkeep {
namespace {

using motionlink::testing::InProcessEmulator;

TEST(ControllerPasswordTest, ReadsTheControllersPasswordAndClosesAgain) {
    InProcessEmulator controller;
    EXPECT_EQ(ReadControllerPassword(1, 0, "127.0.0.1"), motionlink::emulator::kDefaultVendorPassword);
    std::array<std::uint8_t, 5> status{};
    EXPECT_NE(Zint_GetMachineStauts(status.data()), 0);  // no connection left open
}

TEST(ControllerPasswordTest, ShortPasswordEndsAtItsFirstNul) {
    motionlink::emulator::EmulatorOptions options = InProcessEmulator::DefaultOptions();
    motionlink::emulator::ControllerState state = motionlink::emulator::DefaultControllerState();
    const std::uint32_t ab = 'A' | 'B' << 8;
    for (auto [address, value] : {std::pair{kPasswordLowParam, ab}, std::pair{kPasswordHighParam, 0u}}) {
        const SevenBitValue groups = EncodeSevenBitGroups(value);
        state.rawParams[address] = std::vector<std::uint8_t>(groups.begin(), groups.end());
    }
    std::filesystem::create_directories(options.controller.stateFolder);
    ASSERT_TRUE(motionlink::emulator::SaveControllerState(state, options.controller.stateFolder));
    InProcessEmulator controller(options);
    EXPECT_EQ(ReadControllerPassword(1, 0, "127.0.0.1"), "AB");
}

TEST(ControllerPasswordTest, NoControllerGivesNothing) {
    motionlink::testing::NoController nobody;
    motionlink::testing::UseControllerPort(nobody.Port());
    EXPECT_EQ(ReadControllerPassword(1, 0, motionlink::testing::NoController::kAddress), std::nullopt);
}

}  // namespace
}  // namespace stationkeep
