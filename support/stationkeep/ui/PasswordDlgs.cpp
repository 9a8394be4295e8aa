#include "PasswordDlgs.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "DialogControls.h"
#include "DialogMessages.h"
#include "PasswordChecks.h"
#include "PasswordTexts.h"

namespace stationkeep {

namespace {

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

CParaPassDlg::CParaPassDlg(std::uint16_t languageIndex, QWidget* parent)
    : QDialog(parent), languageIndex_(languageIndex) {
    const AccessCodeTexts texts = AccessCodeTextsFor(languageIndex);
    setWindowTitle(Text(texts.title));
    auto* layout = new QGridLayout(this);
    layout->addWidget(dialogkit::MakeLabel(this, kLabelId, Text(texts.label)), 0, 0);
    entry_ = dialogkit::MakeEdit(this, kEntryId);
    entry_->setEchoMode(QLineEdit::Password);
    layout->addWidget(entry_, 0, 1);
    QPushButton* ok = dialogkit::MakeButton(this, dialogkit::kOkButton, Text(texts.ok));
    ok->setDefault(true);
    QPushButton* cancel = dialogkit::MakeButton(this, dialogkit::kCancelButton, Text(texts.cancel));
    layout->addWidget(ok, 1, 0);
    layout->addWidget(cancel, 1, 1);
    connect(ok, &QPushButton::clicked, this, &CParaPassDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &CParaPassDlg::reject);
}

void CParaPassDlg::accept() {
    if (IsVendorAccessCode(entry_->text().toStdString())) {
        QDialog::accept();
        return;
    }
    dialogkit::ShowDialogMessage(this, AccessCodeTextsFor(languageIndex_).wrongEntry);
}

CVendorPassDlg::CVendorPassDlg(std::uint16_t languageIndex, std::string controllerPassword, QWidget* parent)
    : QDialog(parent), languageIndex_(languageIndex), controllerPassword_(std::move(controllerPassword)) {
    const VendorRightTexts texts = VendorRightTextsFor(languageIndex);
    setWindowTitle(Text(texts.title));
    auto* layout = new QGridLayout(this);
    layout->addWidget(dialogkit::MakeLabel(this, kNoteId, Text(texts.note)), 0, 0, 1, 2);
    layout->addWidget(dialogkit::MakeLabel(this, kLabelId, Text(texts.label)), 1, 0);
    entry_ = dialogkit::MakeEdit(this, kEntryId);
    entry_->setMaxLength(kEntryLength);
    entry_->setEchoMode(QLineEdit::Password);
    layout->addWidget(entry_, 1, 1);
    QPushButton* enter = dialogkit::MakeButton(this, dialogkit::kOkButton, Text(texts.enter));
    enter->setDefault(true);
    QPushButton* exit = dialogkit::MakeButton(this, kExitId, Text(texts.exit));
    layout->addWidget(enter, 2, 0);
    layout->addWidget(exit, 2, 1);
    connect(enter, &QPushButton::clicked, this, &CVendorPassDlg::accept);
    connect(exit, &QPushButton::clicked, this, &CVendorPassDlg::reject);
}

void CVendorPassDlg::accept() {
    if (IsVendorRightEntry(entry_->text().toStdString(), controllerPassword_)) {
        QDialog::accept();
        return;
    }
    dialogkit::ShowDialogMessage(this, VendorRightWrongEntryText(languageIndex_));
}

}  // namespace stationkeep
