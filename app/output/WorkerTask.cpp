#include "WorkerTask.h"

#include "MessageSink.h"

#include <functional>
#include <system_error>

namespace {

ModalRunner* currentRunner = nullptr;

}  // namespace

int SynchronousModalRunner::Run(WorkerTask& task) {
    task.Start();
    task.Join();
    return task.Result();
}

void SetModalRunner(ModalRunner* runner) {
    currentRunner = runner;
}

ModalRunner& CurrentModalRunner() {
    static SynchronousModalRunner synchronous;
    return currentRunner != nullptr ? *currentRunner : synchronous;
}

WorkerTask::~WorkerTask() {
    Join();
}

int WorkerTask::DoModal() {
    if (!CheckBeforeStart()) {
        return platform::kResultCancel;
    }
    const int result = CurrentModalRunner().Run(*this);
    Join();
    return result;
}

void WorkerTask::Start() {
    stop_ = std::stop_source();
    threadHandle = true;
    try {
        worker_ = std::jthread([this] { Work(); });
    } catch (const std::system_error&) {
        failed = 1;
        threadHandle = false;
        return;
    }
    threadId = static_cast<std::uint32_t>(std::hash<std::thread::id>{}(worker_.get_id()));
}

void WorkerTask::Join() {
    if (worker_.joinable()) {
        worker_.join();
    }
}

void WorkerTask::RequestStop() {
    if (threadHandle) {
        stop_.request_stop();
    }
}

int WorkerTask::Result() const {
    return failed == 0 ? platform::kResultOk : platform::kResultCancel;
}
