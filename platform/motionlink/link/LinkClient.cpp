// Stop-and-wait requests with retransmission and a hard deadline.
#include "LinkClient.h"

#include <algorithm>

namespace motionlink::link {

LinkClient::LinkClient(std::unique_ptr<Transport> transport, std::uint32_t session, LinkTiming timing)
    : transport_(std::move(transport)), session_(session), timing_(timing) {}

std::optional<Answer> LinkClient::Call(Command command, std::span<const std::uint8_t> payload,
                                       std::optional<std::chrono::milliseconds> deadline) {
    Frame request;
    request.kind = FrameKind::kRequest;
    request.command = static_cast<std::uint16_t>(command);
    request.sequence = nextSequence_++;
    request.session = session_;
    request.payload.assign(payload.begin(), payload.end());
    const std::vector<std::uint8_t> bytes = EncodeFrame(request);

    // On a slow line the request and the longest answer take their time to pass before any wait begins.
    const Clock::duration lineTime =
        transport_->LineTime(bytes.size()) + transport_->LineTime(kMaxFrameBytes);
    const Clock::time_point giveUp = Clock::now() + deadline.value_or(timing_.deadline) + lineTime;
    std::chrono::milliseconds wait = timing_.firstRetry;
    while (Clock::now() < giveUp) {
        if (!transport_->Send(bytes)) {
            return std::nullopt;
        }
        bool broken = false;
        std::optional<Answer> answer =
            AwaitAnswer(command, request.sequence, std::min(Clock::now() + lineTime + wait, giveUp), broken);
        if (answer || broken) {
            return answer;
        }
        wait = std::min(wait + wait / 2, timing_.maxRetry);
    }
    return std::nullopt;
}

std::optional<Answer> LinkClient::AwaitAnswer(Command command, std::uint16_t sequence,
                                              Clock::time_point until, bool& broken) {
    for (;;) {
        Received received = transport_->Receive(until);
        if (received.outcome == ReceiveOutcome::kFailed) {
            broken = true;
            return std::nullopt;
        }
        if (received.outcome == ReceiveOutcome::kTimeout) {
            return std::nullopt;
        }
        const Frame& frame = received.frame;
        if (frame.kind == FrameKind::kAnswer && frame.session == session_ && frame.sequence == sequence &&
            frame.command == static_cast<std::uint16_t>(command)) {
            return Answer{frame.status, std::move(received.frame.payload)};
        }
    }
}

}  // namespace motionlink::link
