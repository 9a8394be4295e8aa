// The request/response client: resends until answered, ignores answers that are not its own, and gives
// up within its deadline.
#include "LinkClient.h"
#include "TestControllers.h"

#include <gtest/gtest.h>

#include <atomic>

namespace motionlink::testing {
namespace {

using link::Command;
using link::Frame;

constexpr link::LinkTiming kQuickTiming{std::chrono::milliseconds(20), std::chrono::milliseconds(40),
                                        std::chrono::milliseconds(400)};
constexpr std::uint32_t kSession = 77;

link::LinkClient ClientFor(std::uint16_t port) {
    return link::LinkClient(link::OpenUdpTransport("127.0.0.1", port), kSession, kQuickTiming);
}

TEST(LinkClientTest, LostRequestsAreSentAgainUntilAnswered) {
    std::atomic<int> copies = 0;
    ScriptedController controller([&](const Frame& request) -> std::optional<Frame> {
        if (++copies < 3) {
            return std::nullopt;  // the first two copies are lost
        }
        return ScriptedController::AnswerTo(request, 0, {42});
    });
    link::LinkClient client = ClientFor(controller.Port());
    const std::optional<link::Answer> answer = client.Call(Command::kGetMachineStatus, {});
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->payload, std::vector<std::uint8_t>{42});
    EXPECT_EQ(controller.RequestsSeen(), 3);
}

TEST(LinkClientTest, AnswersForAnotherSessionSequenceOrCommandAreIgnored) {
    std::atomic<int> copies = 0;
    ScriptedController controller([&](const Frame& request) -> std::optional<Frame> {
        Frame answer = ScriptedController::AnswerTo(request, 0, {1});
        switch (copies++) {
            case 0:
                answer.session += 1;
                break;
            case 1:
                answer.sequence += 1;
                break;
            case 2:
                answer.command += 1;
                break;
            case 3:
                answer.kind = link::FrameKind::kRequest;
                break;
            default:
                answer.payload = {2};
        }
        return answer;
    });
    link::LinkClient client = ClientFor(controller.Port());
    const std::optional<link::Answer> answer = client.Call(Command::kGetMachineStatus, {});
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->payload, std::vector<std::uint8_t>{2});
}

TEST(LinkClientTest, SilentControllerFailsAfterResendingWithinTheDeadline) {
    ScriptedController silent([](const Frame&) { return std::optional<Frame>(); });
    link::LinkClient client = ClientFor(silent.Port());
    EXPECT_FALSE(client.Call(Command::kGetMachineStatus, {}));
    EXPECT_GE(silent.RequestsSeen(), 3);
}

TEST(LinkClientTest, PortWithoutControllerFailsWithoutWaitingOut) {
    const NoController nobody;
    link::LinkClient client(link::OpenUdpTransport(NoController::kAddress, nobody.Port()), kSession,
                            link::LinkTiming{std::chrono::milliseconds(20), std::chrono::milliseconds(40),
                                             std::chrono::hours(1)});
    EXPECT_FALSE(client.Call(Command::kGetMachineStatus, {}));  // an hour's deadline would hang the test
}

TEST(LinkClientTest, AddressesThatAreNotDottedIpv4OpenNoCarrier) {
    for (const char* address : {"", "localhost", "192.168.1", "1.2.3.256", "::1"}) {
        EXPECT_EQ(link::OpenUdpTransport(address, 47811), nullptr) << address;
    }
}

}  // namespace
}  // namespace motionlink::testing
