#include "NameDocDlgWindow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "DialogControls.h"
#include "DialogMessages.h"
#include "LanguageTexts.h"

namespace output::ui {

namespace {

QString Text(const char* section, const char* key) {
    return QString::fromStdString(GetLangText(section, key));
}

}  // namespace

CNameDocDlg::CNameDocDlg(QWidget* parent, const std::string& preset) : QDialog(parent) {
    form_.name = preset;
    using Form = ::CNameDocDlg;
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(dialogkit::MakeLabel(this, Form::kHintStatic, {}));
    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(dialogkit::MakeLabel(this, Form::kNameLabel, {}));
    QLineEdit* edit = dialogkit::MakeEdit(this, Form::kNameEdit);
    edit->setText(QString::fromStdString(preset));
    nameRow->addWidget(edit);
    layout->addLayout(nameRow);
    auto* buttons = new QHBoxLayout;
    QPushButton* ok = dialogkit::MakeButton(this, dialogkit::kOkButton, {});
    QPushButton* cancel = dialogkit::MakeButton(this, dialogkit::kCancelButton, {});
    ok->setDefault(true);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &CNameDocDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &CNameDocDlg::reject);
    UpdateTexts();
}

void CNameDocDlg::UpdateTexts() {
    setWindowTitle(Text("NameDocDlg", "3"));
    dialogkit::Find<QLabel>(*this, ::CNameDocDlg::kHintStatic)->setText(Text("NameDocDlg", "1"));
    dialogkit::Find<QLabel>(*this, ::CNameDocDlg::kNameLabel)->setText(Text("NameDocDlg", "2"));
    dialogkit::Find<QPushButton>(*this, dialogkit::kOkButton)->setText(Text("ItemCommon", "1"));
    dialogkit::Find<QPushButton>(*this, dialogkit::kCancelButton)->setText(Text("ItemCommon", "2"));
}

void CNameDocDlg::accept() {
    const QString typed = dialogkit::Find<QLineEdit>(*this, ::CNameDocDlg::kNameEdit)->text();
    dialogkit::DialogMessageSink messages(this);
    if (form_.OnOK(typed.toStdString(), messages)) {
        QDialog::accept();
    }
}

}  // namespace output::ui
