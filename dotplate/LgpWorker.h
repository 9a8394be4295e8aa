// The designer's long operations run on one worker thread each while a window watches them with a
// timer: the running flag is set before the thread starts, so that a worker that ends at once is still
// seen, and the result is written before the flag is cleared. Cancel is a stop request.
#pragma once

#include <atomic>
#include <functional>
#include <mutex>
#include <stop_token>
#include <string>
#include <thread>

namespace dotplate {

// What a worker shows while it runs: the progress ratio (0..1) and the wait text.
class LgpWorkerStatus {
  public:
    std::atomic<double> progress{0.0};

    void SetWaitText(std::string text);
    std::string WaitText() const;

  private:
    mutable std::mutex lock_;
    std::string waitText_;
};

class LgpWorker {
  public:
    // The work: 0 success, 1 failure.
    using Body = std::function<int(std::stop_token stop, LgpWorkerStatus& status)>;

    LgpWorker() = default;
    LgpWorker(const LgpWorker&) = delete;
    LgpWorker& operator=(const LgpWorker&) = delete;
    // Asks a running worker to stop and waits for it.
    ~LgpWorker() = default;

    // Starts the body on a new thread; a worker runs one body in its life.
    void Start(Body body);
    bool IsRunning() const { return running_.load(); }
    // 0 success, 1 failure; final once IsRunning is false.
    int Result() const { return result_.load(); }
    void RequestStop() { thread_.request_stop(); }
    void Join();
    const LgpWorkerStatus& Status() const { return status_; }

  private:
    LgpWorkerStatus status_;
    std::atomic<bool> running_{false};
    std::atomic<int> result_{1};
    std::jthread thread_;  // declared last: stopped and joined before the state above goes
};

}  // namespace dotplate
