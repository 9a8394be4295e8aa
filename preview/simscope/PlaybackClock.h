// The clock that paces the playback: the steady clock in the program, a manual clock in tests, so that
// pacing is tested without real waiting.
#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <stop_token>

namespace simscope {

class PlaybackClock {
  public:
    virtual ~PlaybackClock() = default;
    virtual double NowSeconds() = 0;
    // Sleeps for the time, or less when a stop is requested.
    virtual void Wait(double seconds, std::stop_token stop) = 0;
};

class SteadyPlaybackClock final : public PlaybackClock {
  public:
    double NowSeconds() override;
    void Wait(double seconds, std::stop_token stop) override;

  private:
    std::mutex lock_;
    std::condition_variable_any never_;
    const std::chrono::steady_clock::time_point origin_ = std::chrono::steady_clock::now();
};

// Time moves only when told to: Wait moves it forward by the time asked for (and adds that to the total
// waited) after calling the wait hook, which lets a test act in the middle of a playback.
class ManualPlaybackClock final : public PlaybackClock {
  public:
    double NowSeconds() override;
    void Wait(double seconds, std::stop_token stop) override;

    void Advance(double seconds);
    double TotalWaited() const;
    int WaitCount() const;
    void SetWaitHook(std::function<void(int waitIndex)> hook);

  private:
    mutable std::mutex lock_;
    double now_ = 0.0;
    double waited_ = 0.0;
    int waits_ = 0;
    std::function<void(int)> hook_;
};

}  // namespace simscope
