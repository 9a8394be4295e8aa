// Playback clocks.
#include "PlaybackClock.h"

namespace simscope {

double SteadyPlaybackClock::NowSeconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - origin_).count();
}

void SteadyPlaybackClock::Wait(double seconds, std::stop_token stop) {
    std::unique_lock hold(lock_);
    never_.wait_for(hold, stop, std::chrono::duration<double>(seconds), [] { return false; });
}

double ManualPlaybackClock::NowSeconds() {
    std::lock_guard hold(lock_);
    return now_;
}

void ManualPlaybackClock::Wait(double seconds, std::stop_token) {
    std::function<void(int)> hook;
    int index = 0;
    {
        std::lock_guard hold(lock_);
        hook = hook_;
        index = waits_++;
        now_ += seconds;
        waited_ += seconds;
    }
    if (hook) {
        hook(index);
    }
}

void ManualPlaybackClock::Advance(double seconds) {
    std::lock_guard hold(lock_);
    now_ += seconds;
}

double ManualPlaybackClock::TotalWaited() const {
    std::lock_guard hold(lock_);
    return waited_;
}

int ManualPlaybackClock::WaitCount() const {
    std::lock_guard hold(lock_);
    return waits_;
}

void ManualPlaybackClock::SetWaitHook(std::function<void(int)> hook) {
    std::lock_guard hold(lock_);
    hook_ = std::move(hook);
}

}  // namespace simscope
