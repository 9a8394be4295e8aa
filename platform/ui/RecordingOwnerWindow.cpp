#include "RecordingOwnerWindow.h"

#include "RecordingBackend.h"

namespace platform {

void RecordingOwnerWindow::PostMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
    sink_.PostMessage(message, wParam, lParam);
}

int RecordingOwnerWindow::ShowMessageBox(std::string_view text, std::string_view caption, std::uint32_t style) {
    return sink_.ShowMessageBox(text, caption, style);
}

DeviceContext RecordingOwnerWindow::GetClientDC() {
    return DeviceContext(std::make_unique<RecordingBackend>(Size{clientRect_.Width(), clientRect_.Height()}));
}

void RecordingOwnerWindow::Clear() {
    sink_.Clear();
    repaints_ = 0;
}

}  // namespace platform
