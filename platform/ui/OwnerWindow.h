// The window that owns a core object: it takes its posted messages and message boxes, tells the size of
// its client area and repaints on request. The shell's view implements it; tests record through one.
#pragma once

#include "MessageSink.h"

namespace platform {

// A client area in device pixels; right and bottom lie just outside it.
struct ClientRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const ClientRect&) const = default;
};

class OwnerWindow : public MessageSink {
  public:
    virtual ClientRect GetClientRect() const = 0;
    // Asks for the whole client area to be painted again, later on the interface thread.
    virtual void RequestRepaint() = 0;
};

}  // namespace platform
