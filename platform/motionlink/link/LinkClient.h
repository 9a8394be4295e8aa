// The client side of the link protocol: one request at a time, sent again after a timeout until its
// answer arrives or the request's time is up. Answers to other sessions, to earlier sequence numbers
// (late copies of retransmitted requests) or to other commands are ignored.
#pragma once

#include "Protocol.h"
#include "Transport.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

namespace motionlink::link {

struct LinkTiming {
    std::chrono::milliseconds firstRetry{100};  // wait for the answer before the first resend
    std::chrono::milliseconds maxRetry{400};    // the wait grows by half each time, up to this
    std::chrono::milliseconds deadline{2500};   // a request that stays unanswered this long fails
};

struct Answer {
    std::uint16_t status = 0;
    std::vector<std::uint8_t> payload;
};

class LinkClient {
  public:
    LinkClient(std::unique_ptr<Transport> transport, std::uint32_t session, LinkTiming timing = {});

    // The controller's answer, or nothing when it did not answer in time or the carrier broke. A shorter
    // deadline than the timing's own may be given for requests whose answer hardly matters.
    std::optional<Answer> Call(Command command, std::span<const std::uint8_t> payload,
                               std::optional<std::chrono::milliseconds> deadline = std::nullopt);

    std::uint32_t Session() const { return session_; }

  private:
    std::optional<Answer> AwaitAnswer(Command command, std::uint16_t sequence, Clock::time_point until,
                                      bool& broken);

    std::unique_ptr<Transport> transport_;
    std::uint32_t session_;
    LinkTiming timing_;
    std::uint16_t nextSequence_ = 1;
};

}  // namespace motionlink::link
