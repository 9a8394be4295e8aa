#include "ParamNameDlg.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "DialogControls.h"
#include "DialogMessages.h"
#include "LayerPage.h"
#include "ParamLibTexts.h"
#include "ParamLibrary.h"
#include "SettingsGlobals.h"
#include "WindowMessage.h"

CParamNameDlg::CParamNameDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(LangText("ParamLib", "6"));
    auto* grid = new QGridLayout(this);
    grid->addWidget(dialogkit::MakeLabel(this, 1079, LangText("ParamLib", "7")), 0, 0, 1, 2);
    nameEdit_ = dialogkit::MakeEdit(this, kNameEdit);
    nameEdit_->setText("Default");
    grid->addWidget(nameEdit_, 1, 0, 1, 2);
    grid->addWidget(dialogkit::MakeLabel(this, 1081, LangText("ParamLib", "8")), 2, 0, 1, 2);
    noteEdit_ = new QPlainTextEdit(this);
    platform::SetControlId(*noteEdit_, kNoteEdit);
    grid->addWidget(noteEdit_, 3, 0, 1, 2);
    QPushButton* ok = dialogkit::MakeOkButton(this);
    ok->setDefault(true);
    QPushButton* cancel = dialogkit::MakeCancelButton(this);
    grid->addWidget(ok, 4, 0);
    grid->addWidget(cancel, 4, 1);
    connect(ok, &QPushButton::clicked, this, &CParamNameDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &CParamNameDlg::reject);
}

void CParamNameDlg::accept() {
    const std::string name = nameEdit_->text().toStdString();
    if (name.empty()) {
        dialogkit::ShowDialogMessage(this, LangText("ParaLib", "1").toStdString(),
                                     platform::kOk | platform::kIconWarning);
        return;
    }
    if (!ParamLibrary::AcceptableName(name)) {
        dialogkit::ShowDialogMessage(this, ParamLibRefusedNameText(LanguageIndex),
                                     platform::kOk | platform::kIconWarning);
        return;
    }
    name_ = name;
    note_ = ParamLibrary::CleanNote(noteEdit_->toPlainText().toStdString());
    QDialog::accept();
}
