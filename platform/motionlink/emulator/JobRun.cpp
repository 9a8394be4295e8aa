// The simulated clock of a running job.
#include "JobRun.h"

#include <algorithm>

namespace motionlink::emulator {

void JobRun::Start(const JobMeasure& measure, std::optional<std::uint64_t> documentId,
                   Clock::time_point now) {
    job_ = Running{measure, documentId, now, {}, std::nullopt};
}

double JobRun::SimulatedSeconds(Clock::time_point now) const {
    const Clock::time_point until = job_->pausedAt.value_or(now);
    const double realSeconds =
        std::chrono::duration<double>(until - job_->startedAt - job_->pausedFor).count();
    return std::max(0.0, realSeconds) * timeScale_;
}

JobRun::Ended JobRun::EndWith(double ranSeconds) {
    const double duration = job_->measure.durationS;
    Ended ended{job_->measure, ranSeconds, duration > 0 ? ranSeconds / duration : 1.0, job_->documentId};
    job_.reset();
    return ended;
}

std::optional<JobRun::Ended> JobRun::Settle(Clock::time_point now) {
    if (!job_ || job_->pausedAt || SimulatedSeconds(now) < job_->measure.durationS) {
        return std::nullopt;
    }
    return EndWith(job_->measure.durationS);
}

std::optional<JobRun::Ended> JobRun::Stop(Clock::time_point now) {
    if (!job_) {
        return std::nullopt;
    }
    return EndWith(std::min(SimulatedSeconds(now), job_->measure.durationS));
}

bool JobRun::Pause(Clock::time_point now) {
    if (!job_ || job_->pausedAt) {
        return false;
    }
    job_->pausedAt = now;
    return true;
}

bool JobRun::Resume(Clock::time_point now) {
    if (!job_ || !job_->pausedAt) {
        return false;
    }
    job_->pausedFor += now - *job_->pausedAt;
    job_->pausedAt.reset();
    return true;
}

}  // namespace motionlink::emulator
