// A headless canvas for tests of the mouse tools: an owner window whose client contexts draw on a
// QImage picture of the client size, white at first, and which records what is posted, the repaint
// requests, the mouse capture and the pointer position the test gives it.
#pragma once

#include <QImage>

#include "OwnerWindow.h"
#include "QImageBackend.h"
#include "RecordingMessageSink.h"

namespace platform {

class FakeCanvas final : public OwnerWindow {
  public:
    explicit FakeCanvas(ClientRect clientRect = {0, 0, 801, 601});

    void PostMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;
    int ShowMessageBox(std::string_view text, std::string_view caption, std::uint32_t style) override;
    ClientRect GetClientRect() const override { return clientRect_; }
    void RequestRepaint() override { ++repaints_; }
    DeviceContext GetClientDC() override;
    void SetCapture() override { captured_ = true; }
    void ReleaseCapture() override { captured_ = false; }
    Point GetCursorPos() const override { return cursor_; }

    const QImage& Picture() const { return picture_.Image(); }
    ColorRef PixelAt(Point at) const { return picture_.GetPixel(at); }
    std::vector<PostedMessage> Posted() const { return sink_.Posted(); }
    // The message numbers posted, in order.
    std::vector<std::uint32_t> PostedNumbers() const;
    int Repaints() const { return repaints_; }
    bool Captured() const { return captured_; }
    void SetCursorPos(Point cursor) { cursor_ = cursor; }
    // Forgets what was posted and the repaint requests; the picture stays.
    void Clear();

  private:
    ClientRect clientRect_;
    QImageBackend picture_;
    RecordingMessageSink sink_;
    int repaints_ = 0;
    bool captured_ = false;
    Point cursor_;
};

}  // namespace platform
