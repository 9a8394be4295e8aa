// The timed replay of a job on two threads: the producer expands the job into the bounded segment
// queue, the drawing thread takes the steps, draws them on the playback canvas and paces itself against
// the playback clock. Stop is a request that both threads read at each item; pause is a gate they wait
// at between items. Neither is ever suspended or killed while it holds a lock.
//
// The thread that ends last calls the end notice (from that thread), unless the playback was stopped.
#pragma once

#include <atomic>
#include <functional>
#include <mutex>
#include <thread>

#include "Pacer.h"
#include "PlaybackCanvas.h"
#include "PlaybackClock.h"
#include "PreviewJob.h"
#include "PreviewSettings.h"
#include "SegmentQueue.h"

namespace simscope {

// What the drawing thread last reached; read by the window's display timer.
struct PlaybackStatus {
    double x = 0.0;             // mm
    double y = 0.0;             // mm
    double speed = 0.0;         // mm/s
    double power = 0.0;         // fraction
    double elapsedSeconds = 0.0;  // job time

    friend bool operator==(const PlaybackStatus&, const PlaybackStatus&) = default;
};

class Playback {
  public:
    Playback(PlaybackClock& clock, PlaybackCanvas& canvas, std::function<void()> onEnded,
             std::size_t queueCapacity = kQueueCapacity);
    ~Playback();
    Playback(const Playback&) = delete;
    Playback& operator=(const Playback&) = delete;

    // Starts both threads on the job, which must stay unchanged until IsAlive turns false or Stop
    // returns. False (nothing started) for an empty job or while a playback is alive.
    bool Start(const PreviewJob& job, const PreviewColors& colors);
    // Stops both threads and joins them; nothing is left running when it returns.
    void Stop();
    void Pause();
    void Continue();

    bool IsAlive() const { return aliveThreads_.load() > 0; }
    bool IsPaused() const { return gate_.IsClosed(); }

    // Read by the threads at each use, so a change takes effect at once.
    void SetDefaultSpeed(double mmPerS) { defaultSpeed_.store(mmPerS); }
    void SetRatio(double ratio) { ratio_.store(ratio); }
    double Ratio() const { return ratio_.load(); }

    PlaybackStatus Status() const;
    std::size_t QueuedItems() const { return queue_.Size(); }
    std::size_t HighestQueueFill() const { return highestFill_.load(); }

  private:
    void Produce(std::stop_token stop, const PreviewJob& job);
    void Consume(std::stop_token stop, PreviewColors colors, MmPoint start);
    void DrawPoint(const SegmentItem& item, bool laserOn);
    void ThreadEnded(std::stop_token stop);
    template <typename Change>
    void ChangeStatus(Change&& change);

    PlaybackClock& clock_;
    PlaybackCanvas& canvas_;
    std::function<void()> onEnded_;
    SegmentQueue queue_;
    PauseGate gate_;
    Pacer pacer_;
    std::atomic<double> defaultSpeed_{100.0};
    std::atomic<double> ratio_{1.0};
    std::atomic<int> aliveThreads_{0};
    std::atomic<std::size_t> highestFill_{0};

    mutable std::mutex statusLock_;
    PlaybackStatus status_;

    // Drawing thread only.
    platform::Pen playbackPen_;
    platform::Pen cursorPen_;
    double currentPower_ = 1.0;

    std::jthread producer_;
    std::jthread drawer_;
};

}  // namespace simscope
