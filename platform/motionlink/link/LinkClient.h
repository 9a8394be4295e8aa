// The client side of the link protocol. Ordinary requests go one at a time, each sent again after a
// timeout until its answer arrives or the request's time is up. The chunks of a transfer go as a window
// of requests in flight, each sent again when it times out or when three chunks sent after it were
// confirmed first; a transfer fails only when no answer to any of its chunks has come for the deadline,
// or when the controller refuses a chunk. Fetches (requests whose answers carry data, such as the pages
// of a document) share that window and its resends, and keep their answers until taken. Every wait follows the measured round trip (RetransmitTimer),
// never less than what the carrier needs. Answers to other sessions, to earlier sequence numbers (late
// copies of retransmitted requests) or to other commands are ignored.
#pragma once

#include "Protocol.h"
#include "RetransmitTimer.h"
#include "Transport.h"

#include <chrono>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <vector>

namespace motionlink::link {

struct LinkTiming {
    std::chrono::milliseconds firstRetry{100};  // the wait before a resend until a round trip is measured
    std::chrono::milliseconds maxRetry{250};    // the longest wait before a resend, however slow the answers
    std::chrono::milliseconds deadline{2500};   // a controller silent this long is gone
};

struct Answer {
    std::uint16_t status = 0;
    std::vector<std::uint8_t> payload;
};

class LinkClient {
  public:
    LinkClient(std::unique_ptr<Transport> transport, std::uint32_t session, LinkTiming timing = {});

    // The controller's answer, or nothing when it did not answer in time or the carrier broke. A shorter
    // deadline than the timing's own may be given for requests whose answer hardly matters. Chunks still
    // in flight must be drained first.
    std::optional<Answer> Call(Command command, std::span<const std::uint8_t> payload,
                               std::optional<std::chrono::milliseconds> deadline = std::nullopt);

    // Puts one chunk request (its payload starts with `chunk`, its number in the transfer) into the
    // window, once the window has room. The transfer's status so far: 0, 1 when the controller fell
    // silent or the carrier broke, or the status with which the controller refused a chunk; after a
    // failure nothing more is sent until DrainChunks.
    std::uint16_t PostChunk(Command command, std::uint32_t chunk, std::span<const std::uint8_t> payload);
    // Waits until the controller has confirmed every posted chunk; the transfer's status as above. The
    // window is empty and the status cleared afterwards.
    std::uint16_t DrainChunks();
    bool HasChunksPending() const { return !window_.empty() || transferStatus_ != 0; }

    // Fetches share the window with chunks but keep their answers: a request for item `item` whose
    // answer, whatever its status, is held until taken. An answer refusing a fetch does not fail the
    // window; only a silent controller or a broken carrier does. The window's status so far, as above.
    std::uint16_t PostFetch(Command command, std::uint32_t item, std::span<const std::uint8_t> payload);
    // True while the item is in flight or its answer waits to be taken.
    bool HasFetch(std::uint32_t item) const;
    // Waits for the item's answer and hands it over; nothing when the controller fell silent, the
    // carrier broke, or the item was never posted.
    std::optional<Answer> TakeFetched(std::uint32_t item);
    // Forgets everything in the window and every answer not taken; late answers are ignored.
    void AbandonWindow();

    std::size_t WindowSize() const { return transport_->WindowChunks(); }
    std::uint32_t Session() const { return session_; }

  private:
    struct InFlight {
        std::uint32_t chunk = 0;
        std::uint16_t sequence = 0;
        std::vector<std::uint8_t> frame;
        Clock::time_point sentAt;
        std::uint64_t sendOrder = 0;  // of the latest sending
        bool resent = false;
        int overtaken = 0;  // chunks sent later that were confirmed while this one was not
        bool keepsAnswer = false;  // a fetch: its answer carries data, not an acknowledgement
    };

    std::uint16_t Post(Command command, std::uint32_t chunk, std::span<const std::uint8_t> payload,
                       bool keepsAnswer);
    Frame NewRequest(Command command, std::span<const std::uint8_t> payload);
    std::optional<Answer> AwaitAnswer(Command command, std::uint16_t sequence, Clock::time_point until,
                                      bool& broken);
    bool WindowHasRoomFor(std::uint32_t chunk) const;
    // Takes what arrives until `until` (or the next resend falls due), then resends what is due.
    void PumpChunks(Clock::time_point until);
    void TakeChunkAnswer(const Frame& answer, Clock::time_point now);
    void TakeAcknowledged(std::span<const std::uint8_t> ackPayload, std::uint64_t& latestOrder);
    void ResendOvertaken(std::uint64_t latestConfirmedOrder, Clock::time_point now);
    void ResendTimedOut(Clock::time_point now);
    // False when the carrier broke.
    bool Resend(InFlight& chunk, Clock::time_point now);
    void FailTransfer(std::uint16_t status);
    Clock::duration ChunkTimeout() const;
    Clock::duration RetransmitFloor(Clock::duration lineTime) const;
    Clock::duration LineTimeOfWindow() const;

    std::unique_ptr<Transport> transport_;
    std::uint32_t session_;
    LinkTiming timing_;
    RetransmitTimer timer_;
    std::uint16_t nextSequence_ = 1;

    std::deque<InFlight> window_;  // in chunk order
    std::uint16_t transferStatus_ = 0;
    std::map<std::uint32_t, Answer> fetched_;  // answers to fetches, by item, until taken
    std::uint64_t sendCounter_ = 0;
    Clock::time_point lastHeard_;  // the latest answer to a chunk, or when the window last filled from empty
};

}  // namespace motionlink::link
