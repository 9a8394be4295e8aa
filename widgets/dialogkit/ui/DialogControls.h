// The controls of a dialog, each made with its id and found again by it: a control's object name is
// its id in decimal, the key by which a dialog exchanges its data and a test drives it.
#pragma once

#include <cstdint>
#include <optional>

#include <QString>
#include <QWidget>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace dialogkit {

// The buttons that end a dialog, by the ids every dialog gives them.
inline constexpr int kOkButton = 1;
inline constexpr int kCancelButton = 2;

QLabel* MakeLabel(QWidget* parent, int id, const QString& text);
QLineEdit* MakeEdit(QWidget* parent, int id);
// A button that Enter does not press unless it is made the default.
QPushButton* MakeButton(QWidget* parent, int id, const QString& text);
QCheckBox* MakeCheck(QWidget* parent, int id, const QString& text);
QRadioButton* MakeRadio(QWidget* parent, int id, const QString& text);
QGroupBox* MakeGroup(QWidget* parent, int id, const QString& title);

// OK and Cancel with the program's common texts ("ItemCommon" 1 and 2) and the given ids.
QPushButton* MakeOkButton(QWidget* parent, int id = kOkButton);
QPushButton* MakeCancelButton(QWidget* parent, int id = kCancelButton);

// Lets the edit that has the focus store its entry before OK acts: Enter presses OK without moving the
// focus, so the edit would otherwise never be left.
void CommitFocusedEdit(QWidget& window);

// The control of the id among the window's children; null when there is none of that kind.
template <typename Control>
Control* Find(const QWidget& window, int id) {
    return window.findChild<Control*>(QString::number(id));
}

// An edit's number by the binder's text rules (FieldText.h).
std::optional<double> ReadNumber(const QLineEdit& edit);
std::optional<std::int64_t> ReadWholeNumber(const QLineEdit& edit);
// Shows the value with that many decimals.
void ShowNumber(QLineEdit& edit, double value, int decimals);

}  // namespace dialogkit
