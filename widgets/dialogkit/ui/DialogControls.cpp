#include "DialogControls.h"

#include <utility>

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "FieldText.h"
#include "TextLookup.h"
#include "WindowMessage.h"

namespace dialogkit {

namespace {

template <typename Control, typename... Args>
Control* MakeControl(QWidget* parent, int id, Args&&... args) {
    auto* control = new Control(std::forward<Args>(args)..., parent);
    platform::SetControlId(*control, id);
    return control;
}

}  // namespace

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

QGroupBox* MakeGroup(QWidget* parent, int id, const QString& title) {
    return MakeControl<QGroupBox>(parent, id, title);
}

QPushButton* MakeOkButton(QWidget* parent, int id) {
    return MakeButton(parent, id, QString::fromStdString(widgets::LookUpText("ItemCommon", "1")));
}

QPushButton* MakeCancelButton(QWidget* parent, int id) {
    return MakeButton(parent, id, QString::fromStdString(widgets::LookUpText("ItemCommon", "2")));
}

void CommitFocusedEdit(QWidget& window) {
    if (auto* edit = qobject_cast<QLineEdit*>(window.focusWidget())) {
        emit edit->editingFinished();
    }
}

std::optional<double> ReadNumber(const QLineEdit& edit) {
    return ReadFieldNumber(edit.text().toStdString());
}

std::optional<std::int64_t> ReadWholeNumber(const QLineEdit& edit) {
    return ReadLeadingWholeNumber(edit.text().toStdString());
}

void ShowNumber(QLineEdit& edit, double value, int decimals) {
    edit.setText(QString::fromStdString(ShowFieldNumber(value, decimals)));
}

}  // namespace dialogkit
