// How long to wait for an answer before a request goes again: the smoothed round trip plus four times
// its mean deviation, measured from answers to requests that went only once, doubled after each
// timeout until the next measurement, and kept between a floor that suits the carrier (its timer
// granularity and line time) and a ceiling.
#pragma once

#include <chrono>
#include <optional>

#include "Transport.h"

namespace motionlink::link {

class RetransmitTimer {
  public:
    // `initial` serves until the first measurement.
    RetransmitTimer(Clock::duration initial, Clock::duration ceiling) : initial_(initial), ceiling_(ceiling) {}

    void Measured(Clock::duration roundTrip);
    void TimedOut();
    // The smoothed round trip and its margin, before doubling and bounds; nothing until measured.
    std::optional<Clock::duration> MeasuredWait() const;
    // The wait, at least `floor` (which wins over the ceiling).
    Clock::duration Timeout(Clock::duration floor) const;

  private:
    Clock::duration initial_;
    Clock::duration ceiling_;
    Clock::duration smoothed_{0};
    Clock::duration deviation_{0};
    bool measured_ = false;
    int backoffDoublings_ = 0;
};

}  // namespace motionlink::link
