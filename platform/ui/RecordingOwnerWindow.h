// An owner window for tests: it keeps what is posted and shown, as the recording sink does, answers
// message boxes from a script, has a client area of the test's choosing and counts repaint requests. Its
// client contexts only record their calls, each on a surface of its own that goes with it.
#pragma once

#include <atomic>

#include "OwnerWindow.h"
#include "RecordingMessageSink.h"

namespace platform {

class RecordingOwnerWindow final : public OwnerWindow {
  public:
    explicit RecordingOwnerWindow(ClientRect clientRect = {0, 0, 800, 600}) : clientRect_(clientRect) {}

    void PostMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;
    int ShowMessageBox(std::string_view text, std::string_view caption, std::uint32_t style) override;
    ClientRect GetClientRect() const override { return clientRect_; }
    void RequestRepaint() override { ++repaints_; }
    DeviceContext GetClientDC() override;
    void SetCapture() override { captured_ = true; }
    void ReleaseCapture() override { captured_ = false; }
    Point GetCursorPos() const override { return cursor_; }

    void SetClientRect(ClientRect clientRect) { clientRect_ = clientRect; }
    void ScriptAnswers(std::vector<int> results) { sink_.ScriptAnswers(std::move(results)); }
    std::vector<PostedMessage> Posted() const { return sink_.Posted(); }
    std::vector<ShownMessageBox> Shown() const { return sink_.Shown(); }
    int Repaints() const { return repaints_; }
    bool Captured() const { return captured_; }
    void SetCursorPos(Point cursor) { cursor_ = cursor; }
    // Forgets what was posted, shown and repainted.
    void Clear();

  private:
    RecordingMessageSink sink_;
    ClientRect clientRect_;
    std::atomic<int> repaints_ = 0;
    bool captured_ = false;
    Point cursor_;
};

}  // namespace platform
