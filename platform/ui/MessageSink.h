// How core code talks to the window that owns it without knowing any window class: it posts numbered
// messages (handled later on the interface thread) and asks the user through message boxes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

// Numbered messages keep the values the windows know them by: the drawing manager posts
// kUserMessage + 1002 to ask for a repaint, + 1003 after a modification, and so on.
constexpr std::uint32_t kUserMessage = 0x0400;

// Which buttons a message box offers, and its icon; combined with |.
enum MessageBoxStyle : std::uint32_t {
    kOk = 0x0,
    kOkCancel = 0x1,
    kYesNoCancel = 0x3,
    kYesNo = 0x4,
    kIconError = 0x10,
    kIconQuestion = 0x20,
    kIconWarning = 0x30,
    kIconInformation = 0x40,
};
constexpr std::uint32_t kMessageBoxButtonsMask = 0x0F;

// The button that closed a message box.
enum MessageBoxResult : int {
    kResultOk = 1,
    kResultCancel = 2,
    kResultYes = 6,
    kResultNo = 7,
};

class MessageSink {
  public:
    virtual ~MessageSink() = default;

    // Queues the message for the owner window and returns at once; safe from any thread.
    virtual void PostMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) = 0;
    // Shows a modal message box and returns the button the user pressed.
    virtual int ShowMessageBox(std::string_view text, std::string_view caption, std::uint32_t style) = 0;
};

// A sink that drops every message and answers every message box as if its default button were
// pressed; for core objects that have no owner window.
class NullMessageSink final : public MessageSink {
  public:
    void PostMessage(std::uint32_t, std::uintptr_t, std::intptr_t) override {}
    int ShowMessageBox(std::string_view, std::string_view, std::uint32_t style) override;
};

// The answer a message box of this style gives when closed with its default (first) button.
int DefaultMessageBoxResult(std::uint32_t style);

}  // namespace platform
