// A message sink for tests: it keeps every posted message and message box, and answers message boxes
// from a script of results.
#pragma once

#include "MessageSink.h"

#include <deque>
#include <mutex>
#include <vector>

namespace platform {

struct PostedMessage {
    std::uint32_t message;
    std::uintptr_t wParam;
    std::intptr_t lParam;
    bool operator==(const PostedMessage&) const = default;
};

struct ShownMessageBox {
    std::string text;
    std::string caption;
    std::uint32_t style;
};

class RecordingMessageSink final : public MessageSink {
  public:
    void PostMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;
    int ShowMessageBox(std::string_view text, std::string_view caption, std::uint32_t style) override;

    // The next message boxes answer with these results, in order; then with their default button.
    void ScriptAnswers(std::vector<int> results);

    std::vector<PostedMessage> Posted() const;
    std::vector<ShownMessageBox> Shown() const;
    void Clear();

  private:
    mutable std::mutex lock_;  // worker threads post too
    std::vector<PostedMessage> posted_;
    std::vector<ShownMessageBox> shown_;
    std::deque<int> answers_;
};

}  // namespace platform
