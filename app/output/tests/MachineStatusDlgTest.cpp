// The machine-status box: OK with the controller's status bytes, Cancel when the controller cannot be
// read, and a second read when the first one fails.
#include "ControllerFixture.h"
#include "MachineStatusDlg.h"
#include "MessageSink.h"
#include "Motionlink.h"
#include "Payload.h"
#include "Progress.h"
#include "TestJobs.h"

#include <mutex>
#include <set>

namespace joboutput::testing {
namespace {

using motionlink::testing::InProcessEmulator;
using motionlink::testing::NoController;
using motionlink::testing::ScriptedController;
using Status = std::array<std::uint8_t, 5>;

class MachineStatusDlgTest : public ControllerFixture {};

TEST_F(MachineStatusDlgTest, IdleControllerGivesOkWithZeroBytes) {
    InProcessEmulator controller;
    CMachineStatusDlg dialog;
    EXPECT_EQ(dialog.DoModal(), platform::kResultOk);
    EXPECT_EQ(dialog.status, Status{});
    EXPECT_EQ(WaitText.Get(), "Please wait");
}

TEST_F(MachineStatusDlgTest, RunningJobShowsInByteZero) {
    InProcessEmulator controller;
    ASSERT_EQ(Zint_Open(1, 0, "127.0.0.1"), 0);
    ASSERT_EQ(motionlink::testing::WriteSampleJob(nullptr, 20, 1.0), 0);  // minutes of cutting
    Zint_Close();
    CMachineStatusDlg dialog;
    EXPECT_EQ(dialog.DoModal(), platform::kResultOk);
    EXPECT_NE(dialog.status[0], 0);
    EXPECT_EQ(dialog.status[1], 0);
}

TEST_F(MachineStatusDlgTest, UnreachableControllerGivesCancelAndZeroBytes) {
    NoController nobody;
    motionlink::testing::UseControllerPort(nobody.Port());
    ConnectSetting.defaultAddress = {127, 83, 91, 7};
    CMachineStatusDlg dialog;
    EXPECT_EQ(dialog.DoModal(), platform::kResultCancel);
    EXPECT_EQ(dialog.status, Status{});
}

// A controller that refuses the first status request and answers the ones after it.
TEST_F(MachineStatusDlgTest, FailedFirstReadIsReadOnceMore) {
    std::mutex lock;
    std::set<std::uint16_t> statusRequests;
    ScriptedController controller([&](const motionlink::link::Frame& request) {
        using motionlink::link::Command;
        if (request.command != static_cast<std::uint16_t>(Command::kGetMachineStatus)) {
            return std::optional(ScriptedController::AnswerTo(request, 0, motionlink::link::Pack(std::string("B"))));
        }
        std::lock_guard guard(lock);
        statusRequests.insert(request.sequence);
        return std::optional(statusRequests.size() == 1
                                 ? ScriptedController::AnswerTo(request, motionlink::kLinkRefused)
                                 : ScriptedController::AnswerTo(request, 0, {1, 1, 0, 0, 0}));
    });
    motionlink::testing::UseControllerPort(controller.Port());
    CMachineStatusDlg dialog;
    EXPECT_EQ(dialog.DoModal(), platform::kResultOk);
    EXPECT_EQ(dialog.status, (Status{1, 1, 0, 0, 0}));
    std::lock_guard guard(lock);
    EXPECT_EQ(statusRequests.size(), 2u);
}

}  // namespace
}  // namespace joboutput::testing
