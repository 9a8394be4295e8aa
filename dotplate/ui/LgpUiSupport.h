// What every window of the designer shares: its texts (from the designer's text store, or a fixed
// Chinese and English pair chosen by the language), its message boxes, and the making and reading of
// controls whose ids ride in their object names.
#pragma once

#include <cstdint>
#include <string>

#include <QString>
#include <QWidget>

#include "LgpDesigner.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace platform {
class MessageSink;
}

namespace dotplate::ui {

// The designer's one state.
LgpDesigner& Designer();

// The text of the section's key in the designer's text store.
QString Text(const char* section, const char* key);
// The Chinese text for language 0, the English one otherwise.
const char* Pair(const char* chinese, const char* english);

// Where the designer's message boxes go: the window boxes, or a sink that a test sets (null restores
// the window boxes).
void SetMessageSink(platform::MessageSink* sink);
void ShowMessage(QWidget* owner, const std::string& text);
// The sink a test set, or null.
platform::MessageSink* MessageSinkOverride();

// The message the export buttons post to the main dialog to end it with OK.
inline constexpr std::uint32_t kExportDoneMessage = 0x046A;

QLabel* MakeLabel(QWidget* parent, int id, const QString& text);
QLineEdit* MakeEdit(QWidget* parent, int id);
QPushButton* MakeButton(QWidget* parent, int id, const QString& text);
QCheckBox* MakeCheck(QWidget* parent, int id, const QString& text);
QRadioButton* MakeRadio(QWidget* parent, int id, const QString& text);

// The control of the id among the window's children.
template <typename Control>
Control* Find(const QWidget& window, int id) {
    return window.findChild<Control*>(QString::number(id));
}

// An edit's number as the C library's atof and atoi read it: 0 when the text does not start with one.
double ReadDouble(const QLineEdit& edit);
int ReadInt(const QLineEdit& edit);
// Shows the value by its printf format.
void ShowValue(QLineEdit& edit, double value, const char* format);

}  // namespace dotplate::ui
