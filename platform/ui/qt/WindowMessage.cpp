// Numbered messages over Qt's event delivery, and the ids that dialogs find their controls by.
#include "WindowMessage.h"

#include <QAction>
#include <QCoreApplication>
#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QVariant>
#include <QWidget>

namespace platform {

namespace {

constexpr const char* kCommandIdProperty = "commandId";

QMessageBox::StandardButtons ButtonsOf(std::uint32_t style) {
    switch (style & kMessageBoxButtonsMask) {
        case kOkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
        case kYesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        case kYesNo: return QMessageBox::Yes | QMessageBox::No;
        default: return QMessageBox::Ok;
    }
}

int ResultOf(int button) {
    switch (button) {
        case QMessageBox::Cancel: return kResultCancel;
        case QMessageBox::Yes: return kResultYes;
        case QMessageBox::No: return kResultNo;
        default: return kResultOk;
    }
}

}  // namespace

WindowMessageEvent::WindowMessageEvent(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam)
    : QEvent(EventType()), message_(message), wParam_(wParam), lParam_(lParam) {}

QEvent::Type WindowMessageEvent::EventType() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

std::intptr_t SendWindowMessage(QObject* receiver, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
    if (receiver == nullptr) return 0;
    WindowMessageEvent event(message, wParam, lParam);
    QCoreApplication::sendEvent(receiver, &event);
    return event.Result();
}

void PostWindowMessage(QObject* receiver, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
    if (receiver == nullptr) return;
    QCoreApplication::postEvent(receiver, new WindowMessageEvent(message, wParam, lParam));
}

void SetControlId(QObject& control, int id) { control.setObjectName(QString::number(id)); }

std::optional<int> ControlId(const QObject& control) {
    bool ok = false;
    const int id = control.objectName().toInt(&ok);
    if (!ok) return std::nullopt;
    return id;
}

void SetCommandId(QAction& action, int id) { action.setProperty(kCommandIdProperty, id); }

std::optional<int> CommandId(const QAction& action) {
    const QVariant value = action.property(kCommandIdProperty);
    if (!value.isValid()) return std::nullopt;
    return value.toInt();
}

WindowMessageSink::WindowMessageSink(QObject* window) : window_(window) {}

void WindowMessageSink::PostMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
    // The window may be gone by the time a worker posts; a message for no window is dropped.
    PostWindowMessage(window_.data(), message, wParam, lParam);
}

int WindowMessageSink::ShowMessageBox(std::string_view text, std::string_view caption, std::uint32_t style) {
    QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())),
                    QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())), ButtonsOf(style),
                    qobject_cast<QWidget*>(window_.data()));
    return ResultOf(box.exec());
}

}  // namespace platform
