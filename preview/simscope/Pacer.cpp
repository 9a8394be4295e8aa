// Playback pacing.
#include "Pacer.h"

#include <cmath>

namespace simscope {
namespace {

constexpr double kSlackSeconds = 0.03;

}  // namespace

void Pacer::Begin(double nowSeconds) {
    std::lock_guard hold(lock_);
    reference_ = nowSeconds;
    simulated_ = 0.0;
    elapsedJob_ = 0.0;
    paused_ = false;
}

void Pacer::AddJobTime(double jobSeconds, double ratio) {
    std::lock_guard hold(lock_);
    elapsedJob_ += jobSeconds;
    simulated_ += jobSeconds / ratio;
}

double Pacer::WaitSeconds(double nowSeconds) const {
    std::lock_guard hold(lock_);
    const double lead = simulated_ - (nowSeconds - reference_);
    if (!(lead > kSlackSeconds)) {
        return 0.0;
    }
    return std::trunc(lead * 1000.0) / 1000.0;
}

double Pacer::ElapsedJobSeconds() const {
    std::lock_guard hold(lock_);
    return elapsedJob_;
}

void Pacer::PauseAt(double nowSeconds) {
    std::lock_guard hold(lock_);
    if (!paused_) {
        pauseStart_ = nowSeconds;
        paused_ = true;
    }
}

void Pacer::ResumeAt(double nowSeconds) {
    std::lock_guard hold(lock_);
    if (paused_) {
        reference_ += nowSeconds - pauseStart_;
        paused_ = false;
    }
}

}  // namespace simscope
