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

int ShowDialogMessage(QWidget* owner, const std::string& text, std::uint32_t style) {
    if (g_messageSink != nullptr) {
        return g_messageSink->ShowMessageBox(text, "", style);
    }
    return platform::WindowMessageSink(owner).ShowMessageBox(text, "", style);
}

std::string ProblemText(const FormProblem& problem) {
    std::string text = widgets::LookUpText(std::string(problem.message.section), std::string(problem.message.key));
    if (!problem.detail.empty()) {
        text += text.empty() ? "" : " ";
        text += problem.detail;
    }
    return text;
}

}  // namespace dialogkit
