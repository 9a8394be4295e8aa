// The serial-number panel's controls and their exchange with the working record.
#include "SnTextDlg.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "DialogControls.h"
#include "DialogTexts.h"
#include "Letterforge.h"
#include "Numbers.h"
#include "SnExtendDlg.h"
#include "TextEdit.h"
#include "TextEntryRules.h"

namespace letterforge {
namespace {

constexpr int kPrefixLabel = 24039;
constexpr int kSuffixLabel = 24040;
constexpr int kStartLabel = 24041;
constexpr int kCurrentLabel = 24042;
constexpr int kIncrementLabel = 24043;

QString Caption(int id) {
    return QString::fromStdString(DialogCaption(TextDialog::kSerial, id, DialogLanguage));
}

}  // namespace

CSnTextDlg::CSnTextDlg(QWidget* parent) : QWidget(parent) {
    setObjectName(QString::number(kTemplateId));
    start_ = dialogkit::MakeEdit(this, kStartEdit);
    current_ = dialogkit::MakeEdit(this, kCurrentEdit);
    increment_ = dialogkit::MakeEdit(this, kIncrementEdit);
    prefix_ = dialogkit::MakeEdit(this, kPrefixEdit);
    suffix_ = dialogkit::MakeEdit(this, kSuffixEdit);
    QPushButton* extend = dialogkit::MakeButton(this, kExtendButton, Caption(kExtendButton));

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    const std::pair<int, QLineEdit*> rows[] = {
        {kPrefixLabel, prefix_},   {kSuffixLabel, suffix_},       {kStartLabel, start_},
        {kCurrentLabel, current_}, {kIncrementLabel, increment_},
    };
    int row = 0;
    for (const auto& [labelId, edit] : rows) {
        layout->addWidget(dialogkit::MakeLabel(this, labelId, Caption(labelId)), row, 0);
        layout->addWidget(edit, row, 1);
        connect(edit, &QLineEdit::editingFinished, this, &CSnTextDlg::CommitEdits);
        ++row;
    }
    layout->addWidget(extend, row, 1, Qt::AlignRight);
    connect(extend, &QPushButton::clicked, this, &CSnTextDlg::OpenExtend);
    ShowRecord();
}

void CSnTextDlg::ShowRecord() {
    start_->setText(QString::fromStdString(EditTextParam.snStart));
    current_->setText(QString::fromStdString(EditTextParam.snCurrent));
    increment_->setText(QString::fromStdString(platform::FormatInt(EditTextParam.snIncrement)));
    prefix_->setText(QString::fromStdString(EditTextParam.snPrefix));
    suffix_->setText(QString::fromStdString(EditTextParam.snSuffix));
}

void CSnTextDlg::CommitEdits() {
    EditTextParam.snStart = StripNulChars(start_->text().toStdString());
    EditTextParam.snCurrent = StripNulChars(current_->text().toStdString());
    EditTextParam.snIncrement = ReadSerialIncrement(increment_->text().toStdString());
    EditTextParam.snPrefix = prefix_->text().toStdString();
    EditTextParam.snSuffix = suffix_->text().toStdString();
    ShowRecord();
}

std::string CSnTextDlg::GetSnText() {
    _text_getsn(&EditTextParam, 0);
    ShowRecord();  // skip rules and the reset may have moved the current number
    return EditTextParam.text;
}

void CSnTextDlg::OpenExtend() {
    CommitEdits();
    CSnExtendDlg extend(this, EditTextParam);
    if (extend.exec() == QDialog::Accepted) {
        EditTextParam = extend.Params();
        ShowRecord();
    }
}

}  // namespace letterforge
