#include "LgpNameDocDlg.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "DialogControls.h"
#include "DialogMessages.h"
#include "LgpLink.h"
#include "LgpWindowTexts.h"

namespace dotplate::ui {

namespace {

constexpr int kNameEdit = 1001;

}  // namespace

CLgpNameDocDlg::CLgpNameDocDlg(QWidget* parent, const std::string& name) : QDialog(parent), name_(name) {
    setWindowTitle(Text("NameDocDlg", "3"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(dialogkit::MakeLabel(this, 1002, Text("NameDocDlg", "2")));
    QLineEdit* edit = dialogkit::MakeEdit(this, kNameEdit);
    edit->setText(QString::fromStdString(name));
    layout->addWidget(edit);
    layout->addWidget(dialogkit::MakeLabel(this, 1003, Text("NameDocDlg", "1")));
    auto* buttons = new QHBoxLayout;
    QPushButton* ok = dialogkit::MakeButton(this, 1, Text("ItemCommon", "1"));
    QPushButton* cancel = dialogkit::MakeButton(this, 2, Text("ItemCommon", "2"));
    ok->setDefault(true);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &CLgpNameDocDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &CLgpNameDocDlg::reject);
}

void CLgpNameDocDlg::accept() {
    std::string name = dialogkit::Find<QLineEdit>(*this, kNameEdit)->text().toStdString();
    const LgpNameCheck check = CheckDocumentName(name);
    if (check != LgpNameCheck::kValid) {
        dialogkit::ShowDialogMessage(this, DocumentNameMessage(check, Designer().languageIndex));
        return;
    }
    name_ = name;
    dialogkit::Find<QLineEdit>(*this, kNameEdit)->setText(QString::fromStdString(name_));
    QDialog::accept();
}

}  // namespace dotplate::ui
