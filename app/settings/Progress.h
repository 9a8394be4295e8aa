// Keeping the interface alive inside long loops, and the progress fraction that worker code publishes
// for the dialogs that watch it.
#pragma once

#include <atomic>
#include <mutex>
#include <string>

// The fraction done (0.0 to 1.0 in use); written by worker code, read by the watching dialog's timer.
extern std::atomic<double> ProgressRatio;

// The text that a worker sets and its progress dialog shows beside the animated dots. A string cannot
// be shared as an atomic, so every access goes through its own lock.
class CWaitText {
  public:
    void Set(std::string text) {
        std::lock_guard guard(lock_);
        text_ = std::move(text);
    }
    std::string Get() const {
        std::lock_guard guard(lock_);
        return text_;
    }

  private:
    mutable std::mutex lock_;
    std::string text_;
};
extern CWaitText WaitText;

// Handles every event waiting in the calling thread's queue. 1 when the application was asked to quit
// while pumping (the request still ends the application's main loop), else 0; 0 at once without an
// application object.
int PumpMessages();

// counter += 1; ProgressRatio = counter / total, unclamped; then PumpMessages. The total must not be 0.
int StepProgress(double* counter, double total);
