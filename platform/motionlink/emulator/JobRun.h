// The job that the emulated machine is running, on a simulated clock: it can be paused, resumed and
// stopped, and it ends by itself once its simulated time has passed. Real time is scaled, so that tests
// can let long jobs finish at once or keep short ones running.
#pragma once

#include "JobMeasure.h"

#include <chrono>
#include <cstdint>
#include <optional>

namespace motionlink::emulator {

using Clock = std::chrono::steady_clock;

class JobRun {
  public:
    // How a job ended: what it was, how long it ran and which share of it was done.
    struct Ended {
        JobMeasure measure;
        double ranSeconds = 0;
        double share = 0;
        std::optional<std::uint64_t> documentId;  // the stored document it came from
    };

    explicit JobRun(double timeScale) : timeScale_(timeScale) {}

    void Start(const JobMeasure& measure, std::optional<std::uint64_t> documentId, Clock::time_point now);
    // The job that has run to its end by `now`; reported once, after which the machine is idle.
    std::optional<Ended> Settle(Clock::time_point now);
    // Ends the job now, with the share it has done.
    std::optional<Ended> Stop(Clock::time_point now);
    // False when there is no job to pause, or it is paused already (and the other way round).
    bool Pause(Clock::time_point now);
    bool Resume(Clock::time_point now);

    bool IsRunning() const { return job_.has_value(); }
    bool IsPaused() const { return job_ && job_->pausedAt; }

  private:
    struct Running {
        JobMeasure measure;
        std::optional<std::uint64_t> documentId;
        Clock::time_point startedAt;
        Clock::duration pausedFor{};
        std::optional<Clock::time_point> pausedAt;
    };

    double SimulatedSeconds(Clock::time_point now) const;
    Ended EndWith(double ranSeconds);

    double timeScale_;
    std::optional<Running> job_;
};

}  // namespace motionlink::emulator
