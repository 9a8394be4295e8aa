// The chain rides on Qt's event filters, which run newest first: a hook that handles a message stops
// it; one that passes it lets the next filter, and at the end the window, see it.
#include "SubclassWnd.h"

#include "WindowMessage.h"

namespace {

HookChain& Registry() {
    static HookChain registry;
    return registry;
}

}  // namespace

CSubclassWnd::CSubclassWnd() = default;

CSubclassWnd::~CSubclassWnd() { HookWindow(nullptr); }

bool CSubclassWnd::HookWindow(QObject* window) {
    if (hooked_ != nullptr) {
        hooked_->removeEventFilter(this);
        disconnect(hooked_, &QObject::destroyed, this, nullptr);
        Registry().Remove(hooked_, this);
        hooked_ = nullptr;
    }
    if (window == nullptr) return true;
    hooked_ = window;
    Registry().Add(window, this);
    window->installEventFilter(this);
    connect(window, &QObject::destroyed, this, &CSubclassWnd::OnWindowDestroyed);
    return true;
}

void CSubclassWnd::OnWindowDestroyed() {
    // Every hook of the dying window lets go of it, not only this one.
    for (void* hook : Registry().TakeAll(hooked_)) static_cast<CSubclassWnd*>(hook)->hooked_ = nullptr;
}

const std::vector<void*>& CSubclassWnd::HooksOf(const QObject* window) { return Registry().Chain(window); }

std::size_t CSubclassWnd::HookedWindowCount() { return Registry().WindowCount(); }

std::intptr_t CSubclassWnd::WindowProc(std::uint32_t, std::uintptr_t, std::intptr_t) {
    passedOn_ = true;
    return 0;
}

std::intptr_t CSubclassWnd::Default() {
    return CSubclassWnd::WindowProc(currentMessage_, currentWParam_, currentLParam_);
}

bool CSubclassWnd::eventFilter(QObject* watched, QEvent* event) {
    if (watched != hooked_ || event->type() != platform::WindowMessageEvent::EventType()) return false;
    auto* message = static_cast<platform::WindowMessageEvent*>(event);
    // Saved and restored: a message sent from inside a hook must not disturb the outer one's record.
    const auto saved = std::tuple(currentMessage_, currentWParam_, currentLParam_, passedOn_);
    currentMessage_ = message->Message();
    currentWParam_ = message->WParam();
    currentLParam_ = message->LParam();
    passedOn_ = false;
    const std::intptr_t result = WindowProc(currentMessage_, currentWParam_, currentLParam_);
    const bool handled = !passedOn_;
    if (handled) message->SetResult(result);
    std::tie(currentMessage_, currentWParam_, currentLParam_, passedOn_) = saved;
    return handled;
}
