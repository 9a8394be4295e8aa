#include "LgpUiSupport.h"

#include <algorithm>
#include <limits>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "AsciiText.h"
#include "LgpPageRules.h"
#include "MessageSink.h"
#include "WindowMessage.h"

namespace dotplate::ui {

namespace {

platform::MessageSink* g_messageSink = nullptr;

template <typename Control, typename... Args>
Control* MakeControl(QWidget* parent, int id, Args&&... args) {
    auto* control = new Control(std::forward<Args>(args)..., parent);
    platform::SetControlId(*control, id);
    return control;
}

}  // namespace

LgpDesigner& Designer() {
    return LgpDesigner::Instance();
}

QString Text(const char* section, const char* key) {
    return QString::fromStdString(Designer().texts.GetText(section, key));
}

const char* Pair(const char* chinese, const char* english) {
    return Designer().languageIndex == 0 ? chinese : english;
}

void SetMessageSink(platform::MessageSink* sink) {
    g_messageSink = sink;
}

platform::MessageSink* MessageSinkOverride() {
    return g_messageSink;
}

void ShowMessage(QWidget* owner, const std::string& text) {
    if (g_messageSink != nullptr) {
        g_messageSink->ShowMessageBox(text, "", platform::kOk);
        return;
    }
    platform::WindowMessageSink(owner).ShowMessageBox(text, "", platform::kOk);
}

QLabel* MakeLabel(QWidget* parent, int id, const QString& text) {
    return MakeControl<QLabel>(parent, id, text);
}
QLineEdit* MakeEdit(QWidget* parent, int id) {
    return MakeControl<QLineEdit>(parent, id);
}
QPushButton* MakeButton(QWidget* parent, int id, const QString& text) {
    auto* button = MakeControl<QPushButton>(parent, id, text);
    button->setAutoDefault(false);
    return button;
}
QCheckBox* MakeCheck(QWidget* parent, int id, const QString& text) {
    return MakeControl<QCheckBox>(parent, id, text);
}
QRadioButton* MakeRadio(QWidget* parent, int id, const QString& text) {
    return MakeControl<QRadioButton>(parent, id, text);
}

double ReadDouble(const QLineEdit& edit) {
    return platform::ParseLeadingDouble(edit.text().toStdString());
}

int ReadInt(const QLineEdit& edit) {
    const std::int64_t value = platform::ParseLeadingInt(edit.text().toStdString());
    return static_cast<int>(
        std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

void ShowValue(QLineEdit& edit, double value, const char* format) {
    edit.setText(QString::fromStdString(FormatEditValue(value, format)));
}

}  // namespace dotplate::ui
