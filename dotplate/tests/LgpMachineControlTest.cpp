#include "LgpMachineControl.h"

#include <gtest/gtest.h>

#include "LgpDesigner.h"
#include "LgpLink.h"
#include "Motionlink.h"
#include "TestControllers.h"

namespace dotplate {
namespace {

using motionlink::testing::InProcessEmulator;

CLgpLink EmulatorLink() {
    CLgpLink link;
    link.connectionType = CLgpLink::kNetwork;
    link.defaultAddress = {127, 0, 0, 1};
    return link;
}

TEST(LgpMachineControlTest, AFrameRunFromAnyAnchorGoesRoundThePlateAndBackWithoutMovesOfLengthZero) {
    for (std::uint16_t head = 0; head <= 8; ++head) {
        double x = 0, y = 0, travelX = 0, travelY = 0;
        for (const LgpAxisMove& move : FrameMoves({0, 0, 100, 50}, 0.0, 3, head, false)) {
            EXPECT_NE(move.distanceMm, 0.0);
            EXPECT_EQ(move.mode, kMoveLaserOff);
            (move.axis == kAxisX ? x : y) += move.distanceMm;
            (move.axis == kAxisX ? travelX : travelY) += std::abs(move.distanceMm);
        }
        EXPECT_DOUBLE_EQ(x, 0.0);
        EXPECT_DOUBLE_EQ(y, 0.0);
        EXPECT_GE(travelX, 200.0);  // the frame's two long sides at least
        EXPECT_GE(travelY, 100.0);
    }
}

TEST(LgpMachineControlTest, ACutFrameCutsOnlyAlongTheFrameGrownByTheBlank) {
    const std::vector<LgpAxisMove> run = FrameMoves({0, 0, 100, 50}, 5.0, 3, 4, true);
    ASSERT_EQ(run.size(), 8u);
    EXPECT_EQ(run.front(), (LgpAxisMove{kAxisX, -55.0, kMoveLaserOff}));
    EXPECT_EQ(run.back(), (LgpAxisMove{kAxisY, -run[1].distanceMm, kMoveLaserOff}));
    double cutX = 0;
    for (std::size_t i = 2; i < 6; ++i) {
        EXPECT_EQ(run[i].mode, kMoveLaserOn);
        if (run[i].axis == kAxisX)
            cutX += std::abs(run[i].distanceMm);
    }
    EXPECT_DOUBLE_EQ(cutX, 2 * 110.0);
}

// The head's position in micrometres, read through the link.
std::pair<std::int32_t, std::int32_t> HeadPosition(CLgpLink& link) {
    std::pair<std::int32_t, std::int32_t> position{-1, -1};
    EXPECT_EQ(link.Open(), 0);
    EXPECT_EQ(Zint_GetAxisPrfPos(kAxisX, &position.first), 0);
    EXPECT_EQ(Zint_GetAxisPrfPos(kAxisY, &position.second), 0);
    Zint_Close();
    return position;
}

TEST(LgpMachineControlTest, AFrameRunOnTheControllerEndsWhereItStarted) {
    InProcessEmulator emulator;
    CLgpLink link = EmulatorLink();
    const auto start = HeadPosition(link);
    for (bool cut : {false, true}) {
        ASSERT_EQ(RunFrame(link, {0, 0, 40, 30}, LgpFrameSettings{}, 3, 4, cut), LgpControlResult::kDone);
        EXPECT_EQ(HeadPosition(link), start);
    }
}

TEST(LgpMachineControlTest, WithoutAControllerEveryCommandIsACommunicationError) {
    CLgpLink link = EmulatorLink();  // nothing listens
    EXPECT_EQ(PauseOrResume(link, false), LgpControlResult::kCommunicationError);
    EXPECT_EQ(StopProcessing(link), LgpControlResult::kCommunicationError);
    EXPECT_EQ(RunFrame(link, {0, 0, 10, 10}, LgpFrameSettings{}, 3, 4, false),
              LgpControlResult::kCommunicationError);
}

}  // namespace
}  // namespace dotplate
