// Sessions, repeated requests and injected faults.
#include "PacketServer.h"

#include <algorithm>

namespace motionlink::emulator {
namespace {

// Sessions beyond this many push out the one unused longest.
constexpr std::size_t kMaxSessions = 64;

// Far more than the chunks a window holds: a chunk keeps its sequence number while it is resent, and the
// window moves on by at most its size past it.
constexpr std::uint16_t kChunkSequenceTrail = 1024;

bool IsChunk(std::uint16_t command) {
    return command == static_cast<std::uint16_t>(link::Command::kDataChunk) ||
           command == static_cast<std::uint16_t>(link::Command::kBulkChunk);
}

// Sequence numbers wrap: `earlier` comes before `later` when it lies less than half the range behind.
bool SequenceBefore(std::uint16_t earlier, std::uint16_t later) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(earlier - later)) < 0;
}

}  // namespace

PacketServer::PacketServer(EmulatedController& controller, FaultOptions faults)
    : controller_(controller), faults_(faults), random_(faults.seed) {}

bool PacketServer::Happens(double share) {
    return share > 0 && std::bernoulli_distribution(share)(random_);
}

std::vector<Outgoing> PacketServer::HandleDatagram(std::span<const std::uint8_t> datagram,
                                                   Clock::time_point now) {
    std::vector<Outgoing> out;
    if (Happens(faults_.dropShare)) {
        return out;
    }
    std::vector<std::uint8_t> received(datagram.begin(), datagram.end());
    if (!received.empty() && Happens(faults_.corruptShare)) {
        received[std::uniform_int_distribution<std::size_t>(0, received.size() - 1)(random_)] ^= 0x5A;
    }
    if (const std::optional<link::Frame> frame = link::ParseFrame(received)) {
        HandleFrame(*frame, now, out);
    }
    return out;
}

std::vector<Outgoing> PacketServer::HandleStreamBytes(std::span<const std::uint8_t> bytes,
                                                      Clock::time_point now) {
    std::vector<Outgoing> out;
    streamDecoder_.Feed(bytes);
    while (const std::optional<link::Frame> frame = streamDecoder_.Next()) {
        if (!Happens(faults_.dropShare)) {
            HandleFrame(*frame, now, out);
        }
    }
    return out;
}

void PacketServer::HandleFrame(const link::Frame& request, Clock::time_point now,
                               std::vector<Outgoing>& out) {
    if (request.kind != link::FrameKind::kRequest) {
        return;
    }
    Session* session = SessionFor(request);
    link::Frame answer;
    answer.kind = link::FrameKind::kAnswer;
    answer.command = request.command;
    answer.sequence = request.sequence;
    answer.session = request.session;
    if (session == nullptr) {
        answer.status = static_cast<std::uint16_t>(link::AnswerStatus::kRefused);  // no greeting came first
        Send(link::EncodeFrame(answer), out);
        return;
    }
    session->lastUsed = ++useCounter_;
    if (!session->lastAnswer.empty() && session->lastSequence == request.sequence) {
        Send(session->lastAnswer, out);  // the client missed the answer and asks again
        return;
    }
    if (IsChunk(request.command)) {
        if (SequenceBefore(request.sequence, session->lastCallSequence)) {
            return;
        }
        // A long transfer runs through more sequence numbers than half their range: the mark follows
        // it, far enough behind that no chunk still in the client's window falls before it.
        const auto trailing = static_cast<std::uint16_t>(request.sequence - kChunkSequenceTrail);
        if (SequenceBefore(session->lastCallSequence, trailing)) {
            session->lastCallSequence = trailing;
        }
    } else {
        session->lastCallSequence = request.sequence;
    }
    link::Answer result = controller_.Handle(session->state, request.command, request.payload, now);
    answer.status = result.status;
    answer.payload = std::move(result.payload);
    session->lastSequence = request.sequence;
    session->lastAnswer = link::EncodeFrame(answer);
    Send(session->lastAnswer, out);
}

PacketServer::Session* PacketServer::SessionFor(const link::Frame& request) {
    const auto found = sessions_.find(request.session);
    const bool greeting = request.command == static_cast<std::uint16_t>(link::Command::kHello);
    if (found != sessions_.end()) {
        const bool repeatedGreeting = found->second.lastSequence == request.sequence;
        if (greeting && !repeatedGreeting) {
            controller_.EndSession(found->second.state);
            found->second = Session{};  // a client that greets again starts afresh
        }
        return &found->second;
    }
    if (!greeting) {
        return nullptr;
    }
    if (sessions_.size() >= kMaxSessions) {
        EvictOldestSession();
    }
    return &sessions_[request.session];
}

void PacketServer::EvictOldestSession() {
    const auto oldest = std::min_element(
        sessions_.begin(), sessions_.end(),
        [](const auto& left, const auto& right) { return left.second.lastUsed < right.second.lastUsed; });
    controller_.EndSession(oldest->second.state);
    sessions_.erase(oldest);
}

void PacketServer::Send(std::vector<std::uint8_t> bytes, std::vector<Outgoing>& out) {
    if (Happens(faults_.dropShare)) {
        return;
    }
    if (Happens(faults_.corruptShare)) {
        bytes[std::uniform_int_distribution<std::size_t>(0, bytes.size() - 1)(random_)] ^= 0x5A;
    }
    const std::chrono::milliseconds delay =
        Happens(faults_.delayShare) ? faults_.delay : std::chrono::milliseconds{0};
    out.push_back({std::move(bytes), delay});
}

}  // namespace motionlink::emulator
