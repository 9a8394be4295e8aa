// The queue of timed playback steps between the producer, which expands the job, and the paced drawing
// thread. It holds at most a fixed number of items: the producer waits above it, so a job of any size
// needs only a bounded amount of memory while it plays.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <mutex>
#include <stop_token>

namespace simscope {

struct SegmentItem {
    enum Kind : std::uint16_t {
        CutPoint = 0,   // a, b: the head reaches (a, b) mm with the laser on
        MovePoint = 1,  // a, b: the head reaches (a, b) mm with the laser off
        Speed = 2,      // a: mm/s
        Power = 3,      // a: fraction 0..1
        TimeStep = 4,   // a: seconds of job time
    };

    std::uint16_t kind = TimeStep;
    double a = 0.0;
    double b = 0.0;

    friend bool operator==(const SegmentItem&, const SegmentItem&) = default;
};

// About a minute of playback at 0.1 s per step, and a few hundred kilobytes.
constexpr std::size_t kQueueCapacity = 16384;

class SegmentQueue {
  public:
    explicit SegmentQueue(std::size_t capacity = kQueueCapacity) : capacity_(capacity) {}

    // Drops every item and opens the queue for a new producer.
    void Reset();
    // Appends a copy, waiting while the queue is full; false (nothing added) once a stop is requested.
    bool Put(const SegmentItem& item, std::stop_token stop);
    // No more items will come: takers drain what is left and then learn that the queue is finished.
    void Finish();

    enum class Taken { Item, Finished, Stopped };
    // Moves the head item out, waiting while the queue is empty and not finished.
    Taken Take(SegmentItem& item, std::stop_token stop);

    std::size_t Size() const;
    std::size_t Capacity() const { return capacity_; }

  private:
    const std::size_t capacity_;
    mutable std::mutex lock_;
    std::condition_variable_any changed_;
    std::deque<SegmentItem> items_;
    bool finished_ = false;
};

// Where both playback threads wait while the playback is paused. Threads pass it between items only,
// never while holding another lock.
class PauseGate {
  public:
    void Close();
    void Open();
    bool IsClosed() const;
    // Returns at once while open; else waits until opened (true) or a stop is requested (false).
    bool Pass(std::stop_token stop);

  private:
    mutable std::mutex lock_;
    std::condition_variable_any opened_;
    bool closed_ = false;
};

}  // namespace simscope
