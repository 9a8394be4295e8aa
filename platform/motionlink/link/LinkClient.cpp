// Requests one at a time, and windows of chunks, with retransmission driven by the measured round trip.
#include "LinkClient.h"

#include "ChunkAck.h"
#include "LinkStatus.h"

#include <algorithm>

namespace motionlink::link {

LinkClient::LinkClient(std::unique_ptr<Transport> transport, std::uint32_t session, LinkTiming timing)
    : transport_(std::move(transport)),
      session_(session),
      timing_(timing),
      timer_(timing.firstRetry, timing.maxRetry) {}

Frame LinkClient::NewRequest(Command command, std::span<const std::uint8_t> payload) {
    Frame request;
    request.kind = FrameKind::kRequest;
    request.command = static_cast<std::uint16_t>(command);
    request.sequence = nextSequence_++;
    request.session = session_;
    request.payload.assign(payload.begin(), payload.end());
    return request;
}

std::optional<Answer> LinkClient::Call(Command command, std::span<const std::uint8_t> payload,
                                       std::optional<std::chrono::milliseconds> deadline) {
    const Frame request = NewRequest(command, payload);
    const std::vector<std::uint8_t> bytes = EncodeFrame(request);

    // On a slow line the request and the longest answer take their time to pass before any wait begins.
    const Clock::duration lineTime =
        transport_->LineTime(bytes.size()) + transport_->LineTime(kMaxFrameBytes);
    const Clock::time_point giveUp = Clock::now() + deadline.value_or(timing_.deadline) + lineTime;
    bool resent = false;
    while (Clock::now() < giveUp) {
        const Clock::time_point sentAt = Clock::now();
        if (!transport_->Send(bytes)) {
            return std::nullopt;
        }
        bool broken = false;
        std::optional<Answer> answer = AwaitAnswer(
            command, request.sequence, std::min(sentAt + timer_.Timeout(RetransmitFloor(lineTime)), giveUp),
            broken);
        if (answer && !resent) {
            timer_.Measured(Clock::now() - sentAt);
        }
        if (answer || broken) {
            return answer;
        }
        timer_.TimedOut();
        resent = true;
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

std::uint16_t LinkClient::PostChunk(Command command, std::uint32_t chunk, std::span<const std::uint8_t> payload) {
    return Post(command, chunk, payload, false);
}

std::uint16_t LinkClient::PostFetch(Command command, std::uint32_t item, std::span<const std::uint8_t> payload) {
    return Post(command, item, payload, true);
}

bool LinkClient::HasFetch(std::uint32_t item) const {
    return fetched_.contains(item) || std::any_of(window_.begin(), window_.end(), [&](const InFlight& sent) {
               return sent.keepsAnswer && sent.chunk == item;
           });
}

std::optional<Answer> LinkClient::TakeFetched(std::uint32_t item) {
    while (transferStatus_ == kLinkOk && !fetched_.contains(item) && HasFetch(item)) {
        PumpChunks(Clock::time_point::max());
    }
    const auto found = fetched_.find(item);
    if (found == fetched_.end()) {
        return std::nullopt;
    }
    Answer answer = std::move(found->second);
    fetched_.erase(found);
    return answer;
}

void LinkClient::AbandonWindow() {
    window_.clear();
    fetched_.clear();
    transferStatus_ = kLinkOk;
}

std::uint16_t LinkClient::Post(Command command, std::uint32_t chunk, std::span<const std::uint8_t> payload,
                               bool keepsAnswer) {
    while (transferStatus_ == kLinkOk && !WindowHasRoomFor(chunk)) {
        PumpChunks(Clock::time_point::max());
    }
    if (transferStatus_ != kLinkOk) {
        return transferStatus_;
    }
    const Clock::time_point now = Clock::now();
    if (window_.empty()) {
        lastHeard_ = now;  // the silence that counts starts with the first chunk waiting for its answer
    }
    const Frame request = NewRequest(command, payload);
    InFlight sent{chunk, request.sequence, EncodeFrame(request), now, ++sendCounter_, false, 0, keepsAnswer};
    if (!transport_->Send(sent.frame)) {
        FailTransfer(kLinkCommunicationError);
        return transferStatus_;
    }
    // Chunks come in order; a fetch asked again goes before those that followed it.
    const auto after = std::upper_bound(window_.begin(), window_.end(), chunk,
                                        [](std::uint32_t number, const InFlight& held) { return number < held.chunk; });
    window_.insert(after, std::move(sent));
    PumpChunks(now);  // whatever answers have arrived meanwhile, without waiting
    return transferStatus_;
}

std::uint16_t LinkClient::DrainChunks() {
    while (transferStatus_ == kLinkOk && !window_.empty()) {
        PumpChunks(Clock::time_point::max());
    }
    const std::uint16_t status = transferStatus_;
    AbandonWindow();
    return status;
}

bool LinkClient::WindowHasRoomFor(std::uint32_t chunk) const {
    const std::size_t room = transport_->WindowChunks();
    if (window_.empty()) {
        return true;
    }
    const std::uint32_t lowest = std::min(chunk, window_.front().chunk);
    const std::uint32_t highest = std::max(chunk, window_.back().chunk);
    return window_.size() < room && highest - lowest < room;
}

Clock::duration LinkClient::LineTimeOfWindow() const {
    std::size_t bytes = 0;
    std::size_t fetches = 0;
    for (const InFlight& chunk : window_) {
        bytes += chunk.frame.size();
        fetches += chunk.keepsAnswer ? 1 : 0;
    }
    // Each chunk's answer is small, and the longest one bounds them all; a fetch's answer may be long.
    return transport_->LineTime(bytes) + transport_->LineTime(kMaxFrameBytes * std::max<std::size_t>(fetches, 1));
}

Clock::duration LinkClient::ChunkTimeout() const {
    return timer_.Timeout(RetransmitFloor(LineTimeOfWindow()));
}

// A carrier's line time is what it needs at its slowest rate; once a round trip has been measured, the
// line has shown its own pace, and the floor is no longer than that: a pseudo-terminal or a fast adapter
// is far quicker than the slowest rate, and a lossy line would otherwise wait the slowest rate out at
// every loss. A carrier without a line time (UDP) keeps its floor as it was.
Clock::duration LinkClient::RetransmitFloor(Clock::duration lineTime) const {
    const std::optional<Clock::duration> measured = timer_.MeasuredWait();
    return kRetransmitFloor + (measured ? std::min(lineTime, *measured) : lineTime);
}

void LinkClient::PumpChunks(Clock::time_point until) {
    if (window_.empty()) {
        return;
    }
    const Clock::duration timeout = ChunkTimeout();
    Clock::time_point nextDue = Clock::time_point::max();
    for (const InFlight& chunk : window_) {
        nextDue = std::min(nextDue, chunk.sentAt + timeout);
    }
    const Clock::time_point silentUntil = lastHeard_ + timing_.deadline + LineTimeOfWindow();
    // The first answer may be waited for; the ones queued behind it are taken at once.
    Clock::time_point waitUntil = std::min({until, nextDue, silentUntil});
    for (;;) {
        Received received = transport_->Receive(waitUntil);
        if (received.outcome == ReceiveOutcome::kFailed) {
            FailTransfer(kLinkCommunicationError);
            return;
        }
        if (received.outcome == ReceiveOutcome::kTimeout) {
            break;
        }
        TakeChunkAnswer(received.frame, Clock::now());
        if (transferStatus_ != kLinkOk || window_.empty()) {
            return;
        }
        waitUntil = Clock::now();
    }
    const Clock::time_point now = Clock::now();
    if (now >= silentUntil) {
        FailTransfer(kLinkCommunicationError);
        return;
    }
    ResendTimedOut(now);
}

void LinkClient::TakeChunkAnswer(const Frame& answer, Clock::time_point now) {
    if (answer.kind != FrameKind::kAnswer || answer.session != session_) {
        return;
    }
    const auto answered = std::find_if(window_.begin(), window_.end(), [&](const InFlight& chunk) {
        return chunk.sequence == answer.sequence;
    });
    if (answered == window_.end()) {
        return;  // a late copy for a chunk confirmed already
    }
    if (answer.status != kLinkOk && !answered->keepsAnswer) {
        FailTransfer(answer.status == static_cast<std::uint16_t>(AnswerStatus::kMalformed) ? kLinkCommunicationError
                                                                                         : answer.status);
        return;
    }
    lastHeard_ = now;
    if (!answered->resent) {
        timer_.Measured(now - answered->sentAt);
    }
    std::uint64_t latestOrder = answered->sendOrder;
    const bool acknowledges = !answered->keepsAnswer;
    if (!acknowledges) {
        fetched_.insert_or_assign(answered->chunk, Answer{answer.status, answer.payload});
    }
    window_.erase(answered);
    if (acknowledges) {
        TakeAcknowledged(answer.payload, latestOrder);
    }
    ResendOvertaken(latestOrder, now);
}

// A chunk's answer also names the other chunks the controller holds.
void LinkClient::TakeAcknowledged(std::span<const std::uint8_t> ackPayload, std::uint64_t& latestOrder) {
    const std::optional<ChunkAck> ack = ParseChunkAck(ackPayload);
    if (!ack) {
        return;
    }
    for (auto chunk = window_.begin(); chunk != window_.end();) {
        if (!chunk->keepsAnswer && ack->Holds(chunk->chunk)) {
            latestOrder = std::max(latestOrder, chunk->sendOrder);
            chunk = window_.erase(chunk);
        } else {
            ++chunk;
        }
    }
}

// Three chunks sent after this one came back first: this one is lost, not late.
void LinkClient::ResendOvertaken(std::uint64_t latestConfirmedOrder, Clock::time_point now) {
    constexpr int kOvertakenToResend = 3;
    for (InFlight& chunk : window_) {
        if (chunk.sendOrder < latestConfirmedOrder && ++chunk.overtaken >= kOvertakenToResend &&
            !Resend(chunk, now)) {
            FailTransfer(kLinkCommunicationError);
            return;
        }
    }
}

// A timeout says little about which chunks are lost: a controller that was only slow for a moment would
// get the whole window again. So only the chunks sent longest ago go again, and the others wait one
// more (doubled) timeout; chunks that are really lost follow as the answers to the resent ones show
// them missing.
void LinkClient::ResendTimedOut(Clock::time_point now) {
    constexpr std::size_t kResendsPerTimeout = 4;
    const Clock::duration timeout = ChunkTimeout();
    std::vector<InFlight*> due;
    for (InFlight& chunk : window_) {
        if (now - chunk.sentAt >= timeout) {
            due.push_back(&chunk);
        }
    }
    if (due.empty()) {
        return;
    }
    std::sort(due.begin(), due.end(),
              [](const InFlight* left, const InFlight* right) { return left->sendOrder < right->sendOrder; });
    for (std::size_t at = 0; at < due.size(); ++at) {
        InFlight& chunk = *due[at];
        if (at >= kResendsPerTimeout) {
            chunk.sentAt = now;
            chunk.resent = true;  // its answer no longer measures a round trip
        } else if (!Resend(chunk, now)) {
            FailTransfer(kLinkCommunicationError);
            return;
        }
    }
    timer_.TimedOut();
}

bool LinkClient::Resend(InFlight& chunk, Clock::time_point now) {
    if (!transport_->Send(chunk.frame)) {
        return false;
    }
    chunk.sentAt = now;
    chunk.sendOrder = ++sendCounter_;
    chunk.resent = true;
    chunk.overtaken = 0;
    return true;
}

void LinkClient::FailTransfer(std::uint16_t status) {
    if (transferStatus_ == kLinkOk) {
        transferStatus_ = status;
    }
    window_.clear();
}

}  // namespace motionlink::link
