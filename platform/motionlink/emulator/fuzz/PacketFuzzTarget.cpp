// Fuzz target for the emulator's packet side. The input is used three ways: as one datagram, as bytes
// from a serial line, and, after a greeting, as a run of requests (u16 command, u16 payload length,
// payload) wrapped in valid frames, so that the controller's request readers see arbitrary payloads in
// arbitrary orders. Every answer must itself be a valid frame.
#include "Frame.h"
#include "PacketServer.h"
#include "Payload.h"

#include <algorithm>
#include <cstdlib>
#include <span>

namespace {

using motionlink::emulator::Clock;
using motionlink::emulator::Outgoing;
namespace link = motionlink::link;

constexpr std::uint32_t kSession = 0x5EED;

void CheckAnswers(const std::vector<Outgoing>& answers) {
    for (const Outgoing& answer : answers) {
        const std::optional<link::Frame> frame = link::ParseFrame(answer.bytes);
        if (!frame || frame->kind != link::FrameKind::kAnswer) {
            std::abort();
        }
    }
}

std::vector<std::uint8_t> Request(std::uint16_t command, std::uint16_t sequence,
                                  std::span<const std::uint8_t> payload) {
    link::Frame frame;
    frame.command = command;
    frame.sequence = sequence;
    frame.session = kSession;
    frame.payload.assign(payload.begin(), payload.end());
    return link::EncodeFrame(frame);
}

std::uint16_t ReadU16(std::span<const std::uint8_t>& input) {
    const std::uint16_t value = static_cast<std::uint16_t>(input[0] | (input[1] << 8));
    input = input.subspan(2);
    return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::span<const std::uint8_t> input(data, size);
    Clock::time_point now{};
    motionlink::emulator::EmulatedController controller(motionlink::emulator::DefaultControllerState(), {},
                                                        now);
    motionlink::emulator::PacketServer server(controller, {});

    CheckAnswers(server.HandleDatagram(input, now));
    CheckAnswers(server.HandleStreamBytes(input, now));

    std::uint16_t sequence = 1;
    const std::vector<std::uint8_t> greeting =
        link::Pack(std::uint32_t{link::kProtocolVersion}, std::uint32_t{320});
    CheckAnswers(server.HandleDatagram(
        Request(static_cast<std::uint16_t>(link::Command::kHello), sequence++, greeting), now));
    while (input.size() >= 4) {
        const std::uint16_t command = ReadU16(input);
        const std::size_t length =
            std::min<std::size_t>({ReadU16(input), input.size(), link::kMaxPayloadBytes});
        now += std::chrono::seconds(1);  // lets jobs that the requests start run to their end
        CheckAnswers(server.HandleDatagram(Request(command, sequence++, input.first(length)), now));
        input = input.subspan(length);
    }
    return 0;
}
