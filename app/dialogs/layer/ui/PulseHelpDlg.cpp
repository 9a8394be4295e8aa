#include "PulseHelpDlg.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "PulseHelpText.h"
#include "SettingsGlobals.h"
#include "WindowMessage.h"

CPulseHelpDlg::CPulseHelpDlg(QWidget* parent) : QDialog(parent) {
    const PulseHelp help = PulseHelpText(LanguageIndex);
    setWindowTitle(QString::fromStdString(help.caption));
    auto* layout = new QVBoxLayout(this);
    auto* text = new QPlainTextEdit(this);
    platform::SetControlId(*text, kHelpText);
    text->setReadOnly(true);
    // The text's line breaks are CR LF, as the help was written; the edit shows each pair as one break.
    text->setPlainText(QString::fromStdString(help.body).replace("\r\n", "\n"));
    layout->addWidget(text);
    resize(520, 260);
}
