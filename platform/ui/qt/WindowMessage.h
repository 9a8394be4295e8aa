// Numbered window messages as Qt events: a message with its wParam and lParam is sent (handled at once,
// with a result) or posted (handled later on the interface thread) to a widget, which receives it as a
// WindowMessageEvent in its event() or through an event filter. Control ids ride in objectName and
// command ids on QActions.
#pragma once

#include "MessageSink.h"

#include <QEvent>
#include <QPointer>

#include <cstdint>
#include <optional>

class QAction;
class QObject;

namespace platform {

// Messages the toolkit's controls send to their parent windows, by the numbers the windows know them by.
constexpr std::uint32_t kPropertyChangedMessage = kUserMessage + 1000;
constexpr std::uint32_t kPropertyButtonMessage = kUserMessage + 1001;

class WindowMessageEvent : public QEvent {
  public:
    WindowMessageEvent(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam);

    // The event type every numbered message travels as.
    static QEvent::Type EventType();

    std::uint32_t Message() const { return message_; }
    std::uintptr_t WParam() const { return wParam_; }
    std::intptr_t LParam() const { return lParam_; }
    // What the receiver answers a sent message with; 0 unless it sets one.
    void SetResult(std::intptr_t result) { result_ = result; }
    std::intptr_t Result() const { return result_; }

  private:
    std::uint32_t message_;
    std::uintptr_t wParam_;
    std::intptr_t lParam_;
    std::intptr_t result_ = 0;
};

// Delivers the message at once and returns the receiver's result (0 when it has none or is null).
std::intptr_t SendWindowMessage(QObject* receiver, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam);
// Queues the message for the receiver's thread; safe from any thread.
void PostWindowMessage(QObject* receiver, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam);

// A dialog control's id is its object name in decimal.
void SetControlId(QObject& control, int id);
std::optional<int> ControlId(const QObject& control);

// A menu or toolbar command's id travels on its action.
void SetCommandId(QAction& action, int id);
std::optional<int> CommandId(const QAction& action);

// The message sink of a window: posted messages reach the window as WindowMessageEvents; message boxes
// are answered by the box function, which tests replace.
class WindowMessageSink final : public MessageSink {
  public:
    explicit WindowMessageSink(QObject* window);

    void PostMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;
    int ShowMessageBox(std::string_view text, std::string_view caption, std::uint32_t style) override;

  private:
    QPointer<QObject> window_;
};

}  // namespace platform
