// The packet side: sessions begin with a greeting, a repeated request is answered from the session's
// memory without being carried out again, and the fault options act on what passes.
#include "Crc32.h"
#include "PacketServer.h"
#include "Payload.h"

#include <gtest/gtest.h>

namespace motionlink::emulator {
namespace {

using link::Command;
using link::Frame;

Frame Request(Command command, std::uint16_t sequence, std::uint32_t session,
              std::vector<std::uint8_t> payload = {}) {
    Frame frame;
    frame.command = static_cast<std::uint16_t>(command);
    frame.sequence = sequence;
    frame.session = session;
    frame.payload = std::move(payload);
    return frame;
}

std::vector<std::uint8_t> Greeting() {
    return link::Pack(std::uint32_t{link::kProtocolVersion}, std::uint32_t{320});
}

class PacketServerTest : public ::testing::Test {
  protected:
    // The answers to one request, parsed.
    std::vector<Frame> Send(const Frame& request) {
        std::vector<Frame> answers;
        for (const Outgoing& out : server_.HandleDatagram(link::EncodeFrame(request), Clock::time_point{})) {
            const std::optional<Frame> answer = link::ParseFrame(out.bytes);
            EXPECT_TRUE(answer);
            if (answer) {
                answers.push_back(*answer);
            }
        }
        return answers;
    }

    EmulatedController controller_{DefaultControllerState(), {}, Clock::time_point{}};
    PacketServer server_{controller_, {}};
};

TEST_F(PacketServerTest, RepeatedRequestIsAnsweredAgainButCarriedOutOnce) {
    ASSERT_EQ(Send(Request(Command::kHello, 1, 9, Greeting())).size(), 1u);
    ASSERT_EQ(Send(Request(Command::kBeginDownload, 2, 9, link::Pack(std::string("ONCE")))).size(), 1u);
    // Carried out twice, the end would be refused the second time: no download is under way then.
    const Frame end = Request(Command::kEndDownload, 3, 9, link::Pack(std::uint32_t{0}, std::uint32_t{0}));
    const std::vector<Frame> first = Send(end);
    const std::vector<Frame> again = Send(end);
    ASSERT_EQ(first.size(), 1u);
    ASSERT_EQ(again.size(), 1u);
    EXPECT_EQ(again[0].sequence, 3);
    EXPECT_EQ(first[0].status, 0);
    EXPECT_EQ(again[0].status, first[0].status);
    EXPECT_EQ(controller_.State().documents.size(), 1u);
}

// A copy of a chunk that the network held back until its transfer had ended must not land in the next
// download, which numbers its chunks from 0 again.
TEST_F(PacketServerTest, LateChunkOfAnEndedTransferIsIgnored) {
    auto chunk = [](std::uint16_t sequence, std::vector<std::uint8_t> bytes) {
        std::vector<std::uint8_t> payload = link::Pack(std::uint32_t{0});
        payload.insert(payload.end(), bytes.begin(), bytes.end());
        return Request(Command::kDataChunk, sequence, 9, payload);
    };
    auto end = [](std::uint16_t sequence, const std::vector<std::uint8_t>& bytes) {
        return Request(Command::kEndDownload, sequence, 9, link::Pack(std::uint32_t{1}, link::Crc32(bytes)));
    };
    const std::vector<std::uint8_t> first = {1, 1, 1};
    const std::vector<std::uint8_t> second = {2, 2};
    ASSERT_EQ(Send(Request(Command::kHello, 1, 9, Greeting())).size(), 1u);
    ASSERT_EQ(Send(Request(Command::kBeginDownload, 2, 9, link::Pack(std::string("A"))))[0].status, 0);
    const Frame lateCopy = chunk(3, first);
    ASSERT_EQ(Send(lateCopy)[0].status, 0);
    ASSERT_EQ(Send(end(4, first))[0].status, 0);
    ASSERT_EQ(Send(Request(Command::kBeginDownload, 5, 9, link::Pack(std::string("B"))))[0].status, 0);
    EXPECT_TRUE(Send(lateCopy).empty());
    ASSERT_EQ(Send(chunk(6, second))[0].status, 0);
    ASSERT_EQ(Send(end(7, second))[0].status, 0);
    ASSERT_EQ(controller_.State().documents.size(), 2u);
    EXPECT_EQ(controller_.State().documents[1].bytes, second);
}

// A transfer of more chunks than half the sequence numbers (32 MiB in 1 KiB chunks) is taken whole.
TEST_F(PacketServerTest, ChunksOfATransferLongerThanHalfTheSequenceRangeAreTaken) {
    ASSERT_EQ(Send(Request(Command::kHello, 1, 9, Greeting())).size(), 1u);
    ASSERT_EQ(Send(Request(Command::kBeginDownload, 2, 9, link::Pack(std::string("LONG"))))[0].status, 0);
    std::uint32_t number = 0;
    for (const std::uint16_t sequence : {102, 20002, 40002, 60002, 14466}) {  // the last one wrapped
        std::vector<std::uint8_t> payload = link::Pack(number++);
        payload.push_back(7);
        const std::vector<Frame> answers = Send(Request(Command::kDataChunk, sequence, 9, payload));
        ASSERT_EQ(answers.size(), 1u) << sequence;
        EXPECT_EQ(answers[0].status, 0) << sequence;
    }
}

TEST_F(PacketServerTest, RequestsOutsideAGreetedSessionAreRefused) {
    const std::vector<Frame> answers = Send(Request(Command::kGetMachineStatus, 1, 5));
    ASSERT_EQ(answers.size(), 1u);
    EXPECT_EQ(answers[0].status, static_cast<std::uint16_t>(link::AnswerStatus::kRefused));
    EXPECT_EQ(answers[0].session, 5u);
}

TEST_F(PacketServerTest, SessionsAreBoundedByPushingOutTheLongestUnused) {
    for (std::uint32_t session = 1; session <= 100; ++session) {
        Send(Request(Command::kHello, 1, session, Greeting()));
    }
    EXPECT_EQ(server_.SessionCount(), 64u);
    EXPECT_EQ(Send(Request(Command::kGetMachineStatus, 2, 100))[0].status, 0);
    EXPECT_NE(Send(Request(Command::kGetMachineStatus, 2, 1))[0].status, 0);
}

TEST_F(PacketServerTest, SerialBytesWithNoiseBetweenFramesAreAnswered) {
    std::vector<std::uint8_t> stream = {0x00, 'M', 0xFF};
    const std::vector<std::uint8_t> hello = link::EncodeFrame(Request(Command::kHello, 1, 3, Greeting()));
    const std::vector<std::uint8_t> status = link::EncodeFrame(Request(Command::kGetMachineStatus, 2, 3));
    stream.insert(stream.end(), hello.begin(), hello.end());
    stream.insert(stream.end(), {'M', 'L'});
    stream.insert(stream.end(), status.begin(), status.end());
    EXPECT_EQ(server_.HandleStreamBytes(stream, Clock::time_point{}).size(), 2u);
}

TEST(PacketServerFaultsTest, DroppedAndCorruptedPacketsNeverReachAClientAsAnswers) {
    EmulatedController controller(DefaultControllerState(), {}, Clock::time_point{});
    PacketServer dropping(controller, {.dropShare = 1.0});
    const std::vector<std::uint8_t> hello = link::EncodeFrame(Request(Command::kHello, 1, 3, Greeting()));
    EXPECT_TRUE(dropping.HandleDatagram(hello, Clock::time_point{}).empty());

    PacketServer corrupting(controller, {.corruptShare = 1.0});
    for (const Outgoing& out : corrupting.HandleDatagram(hello, Clock::time_point{})) {
        EXPECT_FALSE(link::ParseFrame(out.bytes));
    }

    PacketServer delaying(controller, {.delayShare = 1.0, .delay = std::chrono::milliseconds(250)});
    const std::vector<Outgoing> late = delaying.HandleDatagram(hello, Clock::time_point{});
    ASSERT_EQ(late.size(), 1u);
    EXPECT_EQ(late[0].delay, std::chrono::milliseconds(250));
}

}  // namespace
}  // namespace motionlink::emulator
