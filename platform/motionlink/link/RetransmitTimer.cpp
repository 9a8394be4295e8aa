// The round-trip estimate with the usual gains: 1/8 for the mean, 1/4 for the deviation.
#include "RetransmitTimer.h"

#include <algorithm>

namespace motionlink::link {
namespace {

constexpr int kMostDoublings = 16;

Clock::duration Distance(Clock::duration a, Clock::duration b) {
    return a > b ? a - b : b - a;
}

}  // namespace

void RetransmitTimer::Measured(Clock::duration roundTrip) {
    if (!measured_) {
        smoothed_ = roundTrip;
        deviation_ = roundTrip / 2;
        measured_ = true;
    } else {
        deviation_ = (deviation_ * 3 + Distance(smoothed_, roundTrip)) / 4;
        smoothed_ = (smoothed_ * 7 + roundTrip) / 8;
    }
    backoffDoublings_ = 0;
}

void RetransmitTimer::TimedOut() {
    backoffDoublings_ = std::min(backoffDoublings_ + 1, kMostDoublings);
}

std::optional<Clock::duration> RetransmitTimer::MeasuredWait() const {
    return measured_ ? std::optional<Clock::duration>(smoothed_ + deviation_ * 4) : std::nullopt;
}

Clock::duration RetransmitTimer::Timeout(Clock::duration floor) const {
    Clock::duration wait = MeasuredWait().value_or(initial_);
    for (int doubling = 0; doubling < backoffDoublings_ && wait < ceiling_; ++doubling) {
        wait *= 2;
    }
    return std::max(std::min(wait, ceiling_), floor);
}

}  // namespace motionlink::link
