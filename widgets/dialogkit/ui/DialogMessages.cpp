#include "DialogMessages.h"

#include <QWidget>

#include "TextLookup.h"
#include "WindowMessage.h"

namespace dialogkit {

namespace {

platform::MessageSink* g_messageSink = nullptr;

}  // namespace

void SetMessageSink(platform::MessageSink* sink) {
    g_messageSink = sink;
}

void DialogMessageSink::PostMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
    platform::PostWindowMessage(owner_, message, wParam, lParam);
}

int DialogMessageSink::ShowMessageBox(std::string_view text, std::string_view caption, std::uint32_t style) {
    if (g_messageSink != nullptr) {
        return g_messageSink->ShowMessageBox(text, caption, style);
    }
    return platform::WindowMessageSink(owner_).ShowMessageBox(text, caption, style);
}

int ShowDialogMessage(QWidget* owner, const std::string& text, std::uint32_t style) {
    return DialogMessageSink(owner).ShowMessageBox(text, "", style);
}

std::string ProblemText(const FormProblem& problem) {
    std::string text =
        widgets::LookUpText(std::string(problem.message.section), std::string(problem.message.key));
    if (!problem.detail.empty()) {
        text += text.empty() ? "" : " ";
        text += problem.detail;
    }
    return text;
}

}  // namespace dialogkit
