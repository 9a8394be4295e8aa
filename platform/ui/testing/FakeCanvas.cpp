#include "FakeCanvas.h"

#include "BorrowedBackend.h"

namespace platform {

FakeCanvas::FakeCanvas(ClientRect clientRect)
    : clientRect_(clientRect), picture_(Size{clientRect.Width(), clientRect.Height()}) {
    picture_.FillRect(Rect{0, 0, clientRect.Width(), clientRect.Height()}, Rgb(255, 255, 255));
}

void FakeCanvas::PostMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
    sink_.PostMessage(message, wParam, lParam);
}

int FakeCanvas::ShowMessageBox(std::string_view text, std::string_view caption, std::uint32_t style) {
    return sink_.ShowMessageBox(text, caption, style);
}

DeviceContext FakeCanvas::GetClientDC() {
    return DeviceContext(std::make_unique<BorrowedBackend>(picture_));
}

std::vector<std::uint32_t> FakeCanvas::PostedNumbers() const {
    std::vector<std::uint32_t> numbers;
    for (const PostedMessage& posted : sink_.Posted()) {
        numbers.push_back(posted.message);
    }
    return numbers;
}

void FakeCanvas::Clear() {
    sink_.Clear();
    repaints_ = 0;
}

}  // namespace platform
