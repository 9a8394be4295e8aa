// Segment queue and pause gate.
#include "SegmentQueue.h"

namespace simscope {

void SegmentQueue::Reset() {
    std::lock_guard hold(lock_);
    items_.clear();
    finished_ = false;
}

bool SegmentQueue::Put(const SegmentItem& item, std::stop_token stop) {
    std::unique_lock hold(lock_);
    if (!changed_.wait(hold, stop, [this] { return items_.size() < capacity_; })) {
        return false;
    }
    items_.push_back(item);
    hold.unlock();
    changed_.notify_all();
    return true;
}

void SegmentQueue::Finish() {
    {
        std::lock_guard hold(lock_);
        finished_ = true;
    }
    changed_.notify_all();
}

SegmentQueue::Taken SegmentQueue::Take(SegmentItem& item, std::stop_token stop) {
    std::unique_lock hold(lock_);
    if (!changed_.wait(hold, stop, [this] { return !items_.empty() || finished_; })) {
        return Taken::Stopped;
    }
    if (items_.empty()) {
        return Taken::Finished;
    }
    item = items_.front();
    items_.pop_front();
    hold.unlock();
    changed_.notify_all();
    return Taken::Item;
}

std::size_t SegmentQueue::Size() const {
    std::lock_guard hold(lock_);
    return items_.size();
}

void PauseGate::Close() {
    std::lock_guard hold(lock_);
    closed_ = true;
}

void PauseGate::Open() {
    {
        std::lock_guard hold(lock_);
        closed_ = false;
    }
    opened_.notify_all();
}

bool PauseGate::IsClosed() const {
    std::lock_guard hold(lock_);
    return closed_;
}

bool PauseGate::Pass(std::stop_token stop) {
    std::unique_lock hold(lock_);
    return opened_.wait(hold, stop, [this] { return !closed_; });
}

}  // namespace simscope
