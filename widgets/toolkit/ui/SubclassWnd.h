// Lets an object that is no window see and answer the numbered messages of a window. Several hooks may
// hook one window: the newest sees a message first, and each passes what it does not handle on to the
// next, the last to the window itself. A window that is destroyed leaves every chain.
#pragma once

#include "HookChain.h"

#include <QObject>

#include <cstdint>

class CSubclassWnd : public QObject {
    Q_OBJECT

  public:
    CSubclassWnd();
    ~CSubclassWnd() override;

    // Hooks the window (at the head of its chain), or with null unhooks. Returns true.
    bool HookWindow(QObject* window);
    bool IsHooked() const { return hooked_ != nullptr; }
    QObject* HookedWindow() const { return hooked_; }

    // The hooks of a window, newest first.
    static const std::vector<void*>& HooksOf(const QObject* window);
    static std::size_t HookedWindowCount();

  protected:
    // A hook overrides this and calls the base for what it leaves alone; the base passes the message on.
    virtual std::intptr_t WindowProc(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam);
    // The base handling of the message being dispatched.
    std::intptr_t Default();

    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void OnWindowDestroyed();

    QObject* hooked_ = nullptr;
    bool passedOn_ = false;
    std::uint32_t currentMessage_ = 0;
    std::uintptr_t currentWParam_ = 0;
    std::intptr_t currentLParam_ = 0;
};
