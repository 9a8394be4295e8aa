#include "ParamLibDlg.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

#include "CadLayer.h"
#include "CurrentEditLayer.h"
#include "DialogControls.h"
#include "DialogMessages.h"
#include "LayerPage.h"
#include "ParamLibTexts.h"
#include "ParamNameDlg.h"
#include "SettingsGlobals.h"
#include "WindowMessage.h"

namespace {

QPlainTextEdit* MakeReadOnlyBox(QWidget* parent, int id) {
    auto* box = new QPlainTextEdit(parent);
    platform::SetControlId(*box, id);
    box->setReadOnly(true);
    return box;
}

void Warn(QWidget* owner, const std::string& text) {
    dialogkit::ShowDialogMessage(owner, text, platform::kOk | platform::kIconWarning);
}

bool AskWithNameDialog(QWidget* parent, std::string& name, std::string& note) {
    CParamNameDlg dialog(parent);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    name = dialog.Name();
    note = dialog.Note();
    return true;
}

}  // namespace

CParamLibDlg::CParamLibDlg(QWidget* parent)
    : QDialog(parent),
      library_(store_, GetParamLibPath()),
      opened_(library_.Open()),
      askName_(AskWithNameDialog) {
    setWindowTitle(LangText("ParamLib", "1"));
    auto* grid = new QGridLayout(this);
    grid->addWidget(dialogkit::MakeLabel(this, 1076, LangText("ParamLib", "2")), 0, 0);
    list_ = new QListWidget(this);
    platform::SetControlId(*list_, kSetList);
    grid->addWidget(list_, 1, 0, 2, 1);
    note_ = MakeReadOnlyBox(this, kNoteBox);
    note_->setMaximumHeight(80);
    grid->addWidget(note_, 3, 0);
    summary_ = MakeReadOnlyBox(this, kSummaryBox);
    grid->addWidget(summary_, 1, 1, 1, 2);
    saveAs_ = dialogkit::MakeButton(this, kSaveAsButton, LangText("ParamLib", "3"));
    delete_ = dialogkit::MakeButton(this, kDeleteButton, LangText("ParamLib", "4"));
    grid->addWidget(saveAs_, 2, 1);
    grid->addWidget(delete_, 2, 2);
    load_ = dialogkit::MakeButton(this, kLoadButton, LangText("ParamLib", "5"));
    load_->setDefault(true);
    QPushButton* exit = dialogkit::MakeButton(this, kExitButton, LangText("ItemCommon", "3"));
    grid->addWidget(load_, 3, 1);
    grid->addWidget(exit, 3, 2);
    connect(load_, &QPushButton::clicked, this, &CParamLibDlg::accept);
    connect(exit, &QPushButton::clicked, this, &CParamLibDlg::reject);
    connect(saveAs_, &QPushButton::clicked, this, &CParamLibDlg::SaveLayerToLib);
    connect(delete_, &QPushButton::clicked, this, &CParamLibDlg::OnDelete);
    connect(list_, &QListWidget::currentRowChanged, this, &CParamLibDlg::ShowParamSet);

    FillList();
    saveAs_->setEnabled(library_.Writable());
    delete_->setEnabled(false);
    load_->setEnabled(false);
}

int CParamLibDlg::exec() {
    ReportOpening();
    return QDialog::exec();
}

void CParamLibDlg::ReportOpening() {
    if (opened_ == ParamLibrary::Opened::Unreadable) {
        Warn(this, ParamLibLoadFailureText(LanguageIndex));
    }
}

void CParamLibDlg::FillList() {
    list_->clear();
    for (const std::string& name : library_.Names()) {
        list_->addItem(QString::fromStdString(name));
    }
}

void CParamLibDlg::ShowParamSet(int index) {
    if (index < 0 || list_->count() == 0) {
        delete_->setEnabled(false);
        load_->setEnabled(false);
        note_->clear();
        return;
    }
    if (index >= list_->count()) {
        index = 0;
    }
    if (list_->currentRow() != index) {
        list_->setCurrentRow(index);  // shows the set through the selection change
        return;
    }
    delete_->setEnabled(library_.Writable());
    load_->setEnabled(true);
    const std::string name = list_->item(index)->text().toStdString();
    note_->setPlainText(QString::fromStdString(library_.Value(name, "Note")));
    summary_->setPlainText(
        QString::fromStdString(ParamSetSummary(library_, name, LanguageIndex)).replace("\r\n", "\n"));
}

void CParamLibDlg::SaveLayerToLib() {
    if (CurrentEditLayer == nullptr || !library_.Writable()) {
        return;
    }
    std::string name;
    std::string note;
    if (!askName_(this, name, note)) {
        return;
    }
    const std::optional<std::string> listed = library_.ListedSpelling(name);
    if (listed &&
        dialogkit::ShowDialogMessage(this, ParamLibDuplicateText(LanguageIndex),
                                     platform::kYesNo | platform::kIconQuestion) != platform::kResultYes) {
        return;
    }
    const ParamLibrary::Written written = library_.Save(name, note, *CurrentEditLayer);
    if (written != ParamLibrary::Written::Done) {
        ReportWrite(written);
        if (written != ParamLibrary::Written::Failed) {
            return;
        }
    }
    const QString shown = QString::fromStdString(listed.value_or(name));
    if (list_->findItems(shown, Qt::MatchExactly).isEmpty()) {
        list_->addItem(shown);
    }
    ShowParamSet(list_->row(list_->findItems(shown, Qt::MatchExactly).front()));
}

void CParamLibDlg::OnDelete() {
    const int row = list_->currentRow();
    if (row < 0 || !library_.Writable()) {
        return;
    }
    const ParamLibrary::Written written = library_.Delete(list_->item(row)->text().toStdString());
    if (written != ParamLibrary::Written::Done) {
        ReportWrite(written);
        if (written != ParamLibrary::Written::Failed) {
            return;
        }
    }
    delete list_->takeItem(row);
    if (list_->count() == 0) {
        ShowParamSet(-1);
        return;
    }
    list_->setCurrentRow(-1);
    ShowParamSet(row);
}

void CParamLibDlg::ReportWrite(ParamLibrary::Written written) {
    switch (written) {
        case ParamLibrary::Written::Failed:
            Warn(this, ParamLibSaveFailureText(LanguageIndex));
            return;
        case ParamLibrary::Written::TooLarge:
            Warn(this, ParamLibTooLargeText(LanguageIndex));
            return;
        case ParamLibrary::Written::RefusedName:
            Warn(this, ParamLibRefusedNameText(LanguageIndex));
            return;
        case ParamLibrary::Written::Locked:
            Warn(this, ParamLibLoadFailureText(LanguageIndex));
            return;
        case ParamLibrary::Written::Done:
            return;
    }
}

void CParamLibDlg::accept() {
    const int row = list_->currentRow();
    if (row < 0 || CurrentEditLayer == nullptr) {
        QDialog::accept();
        return;
    }
    const std::string name = list_->item(row)->text().toStdString();
    const bool setIsBitmap = library_.KindOf(name) == ParamLibrary::Kind::Bitmap;
    const bool layerIsBitmap = CurrentEditLayer->commonParams.COM_Type == CCadLayer::kBitmapLayer;
    if (setIsBitmap != layerIsBitmap) {
        Warn(this, ParamLibKindMismatchText(layerIsBitmap, setIsBitmap, LanguageIndex));
        return;
    }
    library_.Load(name, *CurrentEditLayer);
    QDialog::accept();
}
