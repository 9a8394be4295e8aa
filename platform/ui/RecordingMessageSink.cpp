#include "RecordingMessageSink.h"

namespace platform {

void RecordingMessageSink::PostMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
    std::lock_guard guard(lock_);
    posted_.push_back({message, wParam, lParam});
}

int RecordingMessageSink::ShowMessageBox(std::string_view text, std::string_view caption,
                                         std::uint32_t style) {
    std::lock_guard guard(lock_);
    shown_.push_back({std::string(text), std::string(caption), style});
    if (answers_.empty()) {
        return DefaultMessageBoxResult(style);
    }
    const int answer = answers_.front();
    answers_.pop_front();
    return answer;
}

void RecordingMessageSink::ScriptAnswers(std::vector<int> results) {
    std::lock_guard guard(lock_);
    answers_.assign(results.begin(), results.end());
}

std::vector<PostedMessage> RecordingMessageSink::Posted() const {
    std::lock_guard guard(lock_);
    return posted_;
}

std::vector<ShownMessageBox> RecordingMessageSink::Shown() const {
    std::lock_guard guard(lock_);
    return shown_;
}

void RecordingMessageSink::Clear() {
    std::lock_guard guard(lock_);
    posted_.clear();
    shown_.clear();
    answers_.clear();
}

}  // namespace platform
