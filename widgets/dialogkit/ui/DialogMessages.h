// The message boxes of the kit's dialogs: shown over their window through the platform's message sink,
// or through the sink a test sets; and a form's problem as the language file words it.
#pragma once

#include <cstdint>
#include <string>

#include "FormProblem.h"
#include "MessageSink.h"

class QWidget;

namespace dialogkit {

// Every dialog's message boxes go to the sink instead of a window; null gives them back to windows.
void SetMessageSink(platform::MessageSink* sink);

// The message sink of a dialog: its boxes go where ShowDialogMessage sends them, its numbered messages to
// the owner window.
class DialogMessageSink final : public platform::MessageSink {
  public:
    explicit DialogMessageSink(QWidget* owner) : owner_(owner) {}
    void PostMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;
    int ShowMessageBox(std::string_view text, std::string_view caption, std::uint32_t style) override;

  private:
    QWidget* owner_;
};

// Shows the box over the owner and returns the button pressed.
int ShowDialogMessage(QWidget* owner, const std::string& text, std::uint32_t style = platform::kOk);

// The problem's message from the language files, then its detail.
std::string ProblemText(const FormProblem& problem);

}  // namespace dialogkit
