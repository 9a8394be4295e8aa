// The worker pattern of the program's progress boxes: a box starts one worker thread, watches it every
// 100 ms and ends once the worker has cleared its running mark. The headless half lives here; how the
// box waits is a ModalRunner (a window in the program, a plain wait in tests).
#pragma once

#include <atomic>
#include <cstdint>
#include <stop_token>
#include <string>
#include <thread>

class WorkerTask;

// Runs a task's box: starts the worker, waits until it has cleared `threadHandle`, and gives the box's
// result (platform::kResultOk or kResultCancel). WorkerTask::DoModal joins the worker afterwards in any
// case, so a runner that returns early never leaves a worker running past its box.
class ModalRunner {
  public:
    virtual ~ModalRunner() = default;
    virtual int Run(WorkerTask& task) = 0;
};

// Starts the worker and waits for it on the calling thread: the runner of every box without a window.
class SynchronousModalRunner final : public ModalRunner {
  public:
    int Run(WorkerTask& task) override;
};

// The runner that DoModal uses; null sets the synchronous one back. The program sets its window's.
void SetModalRunner(ModalRunner* runner);
ModalRunner& CurrentModalRunner();

// What a box shows beside its wait text: the ids of its bar and stop button (0 where it has none), its
// caption and the stop button's text.
struct WorkerBoxLayout {
    int textId = 1170;
    int progressId = 0;
    int stopButtonId = 0;
    std::string caption;
    std::string stopText;
};

class WorkerTask {
  public:
    WorkerTask() = default;
    WorkerTask(const WorkerTask&) = delete;
    WorkerTask& operator=(const WorkerTask&) = delete;
    // Joins a worker still running: it uses the task until its last write, so it never outlives it.
    virtual ~WorkerTask();

    // Refuses (Cancel) when CheckBeforeStart says no, else runs the box through the current runner and
    // joins the worker before returning its result.
    int DoModal();

    // Starts the worker; when no thread can be made the task ends at once as failed.
    void Start();
    // Waits for the worker; nothing when none was started.
    void Join();
    // Asks a running worker to stop; nothing when none runs. The worker looks at the request between its
    // pieces of work, so a stop after the last piece changes nothing.
    void RequestStop();
    bool StopRequested() const { return stop_.stop_requested(); }

    // Cancel when the worker reported a failure, else OK.
    virtual int Result() const;
    virtual WorkerBoxLayout Layout() const { return {}; }
    // The tick counter of the box's dots: one per kind of box, kept between runs.
    virtual int& DotCounter() = 0;

    std::atomic<bool> threadHandle{false};  // true while the worker runs; clearing it is its last write
    std::atomic<std::uint32_t> threadId{0};
    std::atomic<std::uint32_t> failed{0};  // 0 done, 1 failed

  protected:
    // False ends the box with Cancel before any worker starts (the task shows its own message).
    virtual bool CheckBeforeStart() { return true; }
    // The worker's body; it must clear threadHandle as its last access to the task.
    virtual void Work() = 0;

  private:
    std::stop_source stop_;
    std::jthread worker_;
};
