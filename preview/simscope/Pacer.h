// Pacing of the drawing thread: job time, divided by the ratio, against real time since the start, with
// the time spent paused left out. The drawing waits only when it is more than 30 ms ahead, and then for
// its whole lead, so short segments are drawn in bursts.
#pragma once

#include <mutex>

namespace simscope {

class Pacer {
  public:
    void Begin(double nowSeconds);
    void AddJobTime(double jobSeconds, double ratio);
    // Whole milliseconds to wait, in seconds; 0 when at most 30 ms ahead.
    double WaitSeconds(double nowSeconds) const;
    double ElapsedJobSeconds() const;

    void PauseAt(double nowSeconds);
    void ResumeAt(double nowSeconds);

  private:
    mutable std::mutex lock_;
    double reference_ = 0.0;
    double simulated_ = 0.0;
    double elapsedJob_ = 0.0;
    double pauseStart_ = 0.0;
    bool paused_ = false;
};

}  // namespace simscope
