// The window that owns a core object: it takes its posted messages and message boxes, tells the size of
// its client area, repaints on request, lends a device context on its canvas picture, captures the mouse
// and tells where the pointer is. The shell's view implements it; tests record through one.
#pragma once

#include "DeviceContext.h"
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
    // A context in device pixels (text mapping) that draws on the picture the window shows; what is
    // drawn appears once the context is gone. The caller may set its own mapping on it.
    virtual DeviceContext GetClientDC() = 0;
    // Mouse messages keep coming to this window while captured, even from outside it.
    virtual void SetCapture() = 0;
    virtual void ReleaseCapture() = 0;
    // The pointer in client pixels.
    virtual Point GetCursorPos() const = 0;
};

}  // namespace platform
