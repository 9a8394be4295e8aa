#include "LgpWorker.h"

namespace dotplate {

void LgpWorkerStatus::SetWaitText(std::string text) {
    std::lock_guard hold(lock_);
    waitText_ = std::move(text);
}

std::string LgpWorkerStatus::WaitText() const {
    std::lock_guard hold(lock_);
    return waitText_;
}

void LgpWorker::Start(Body body) {
    running_.store(true);
    thread_ = std::jthread([this, body = std::move(body)](std::stop_token stop) {
        result_.store(body(stop, status_) == 0 ? 0 : 1);
        running_.store(false);
    });
}

void LgpWorker::Join() {
    if (thread_.joinable()) {
        thread_.join();
    }
}

}  // namespace dotplate
