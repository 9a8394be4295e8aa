// The serial extension dialog's controls and their exchange with its copy of the record.
#include "SnExtendDlg.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "DialogControls.h"
#include "DialogTexts.h"
#include "LetterforgeIcons.h"
#include "Numbers.h"
#include "TextEdit.h"
#include "TextEntryRules.h"

namespace letterforge {
namespace {

constexpr int kNumberLabel = 24045;
constexpr int kSpaceLabel = 24046;

QString Caption(int id) {
    return QString::fromStdString(DialogCaption(TextDialog::kSerialExtend, id, DialogLanguage));
}

void ShowCount(QLineEdit& edit, std::uint16_t count) {
    edit.setText(QString::number(count));
}

void ShowSpacing(QLineEdit& edit, double spacingMm) {
    edit.setText(QString::fromStdString(ShowDecimalEdit(spacingMm)));
}

}  // namespace

CSnExtendDlg::CSnExtendDlg(QWidget* parent, const CTextParam& params) : QDialog(parent), params_(params) {
    setWindowTitle(Caption(kWindowTitle));
    reset_ = dialogkit::MakeCheck(this, kResetCheck, Caption(kResetCheck));
    resetValue_ = dialogkit::MakeEdit(this, kResetValueEdit);
    leadingZeros_ = dialogkit::MakeCheck(this, kLeadingZerosCheck, Caption(kLeadingZerosCheck));
    array_ = dialogkit::MakeCheck(this, kArrayCheck, Caption(kArrayCheck));
    countX_ = dialogkit::MakeEdit(this, kCountXEdit);
    countY_ = dialogkit::MakeEdit(this, kCountYEdit);
    spacingX_ = dialogkit::MakeEdit(this, kSpacingXEdit);
    spacingY_ = dialogkit::MakeEdit(this, kSpacingYEdit);
    directionX_ = dialogkit::MakeButton(this, kDirectionXButton, QString());
    directionY_ = dialogkit::MakeButton(this, kDirectionYButton, QString());
    for (QPushButton* button : {directionX_, directionY_}) {
        button->setIconSize(QSize(24, 24));
    }
    QPushButton* ok = dialogkit::MakeButton(this, dialogkit::kOkButton, Caption(dialogkit::kOkButton));
    QPushButton* cancel =
        dialogkit::MakeButton(this, dialogkit::kCancelButton, Caption(dialogkit::kCancelButton));
    ok->setDefault(true);

    auto* layout = new QGridLayout(this);
    layout->addWidget(reset_, 0, 0);
    layout->addWidget(resetValue_, 0, 1, 1, 2);
    layout->addWidget(leadingZeros_, 1, 0, 1, 3);
    layout->addWidget(array_, 2, 0, 1, 3);
    layout->addWidget(dialogkit::MakeLabel(this, kNumberLabel, Caption(kNumberLabel)), 3, 1);
    layout->addWidget(dialogkit::MakeLabel(this, kSpaceLabel, Caption(kSpaceLabel)), 3, 2);
    layout->addWidget(directionX_, 4, 0, Qt::AlignRight);
    layout->addWidget(countX_, 4, 1);
    layout->addWidget(spacingX_, 4, 2);
    layout->addWidget(directionY_, 5, 0, Qt::AlignRight);
    layout->addWidget(countY_, 5, 1);
    layout->addWidget(spacingY_, 5, 2);
    layout->addWidget(ok, 6, 1);
    layout->addWidget(cancel, 6, 2);

    reset_->setChecked(params_.snResetOn != 0);
    resetValue_->setText(QString::fromStdString(params_.snResetValue));
    leadingZeros_->setChecked(params_.snKeepZeros != 0);
    array_->setChecked(params_.snArrayOn != 0);
    ShowCount(*countX_, params_.snArrayCount1);
    ShowCount(*countY_, params_.snArrayCount2);
    ShowSpacing(*spacingX_, params_.snArraySpacing1);
    ShowSpacing(*spacingY_, params_.snArraySpacing2);
    ShowDirections();
    ShowEnabling();

    connect(reset_, &QCheckBox::toggled, this, [this](bool on) {
        params_.snResetOn = on ? 1 : 0;
        ShowEnabling();
    });
    connect(leadingZeros_, &QCheckBox::toggled, this, [this](bool on) { params_.snKeepZeros = on ? 1 : 0; });
    connect(array_, &QCheckBox::toggled, this, [this](bool on) {
        params_.snArrayOn = on ? 1 : 0;
        ShowEnabling();
    });
    for (QLineEdit* edit : {resetValue_, countX_, countY_, spacingX_, spacingY_}) {
        connect(edit, &QLineEdit::editingFinished, this, &CSnExtendDlg::CommitEdits);
    }
    connect(directionX_, &QPushButton::clicked, this, [this] {
        params_.auxWord2 = params_.auxWord2 == 0 ? 1 : 0;
        ShowDirections();
    });
    connect(directionY_, &QPushButton::clicked, this, [this] {
        params_.auxWord3 = params_.auxWord3 == 0 ? 1 : 0;
        ShowDirections();
    });
    connect(ok, &QPushButton::clicked, this, &CSnExtendDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &CSnExtendDlg::reject);
}

void CSnExtendDlg::ShowEnabling() {
    resetValue_->setVisible(reset_->isChecked());
    for (QLineEdit* edit : {countX_, countY_, spacingX_, spacingY_}) {
        edit->setEnabled(array_->isChecked());
    }
}

void CSnExtendDlg::ShowDirections() {
    directionX_->setIcon(ArrayDirectionIcon(false, params_.auxWord2 != 0));
    directionY_->setIcon(ArrayDirectionIcon(true, params_.auxWord3 != 0));
}

void CSnExtendDlg::CommitEdits() {
    params_.snResetValue = StripNulChars(resetValue_->text().toStdString());
    params_.snArrayCount1 = CorrectArrayCount(countX_->text().toStdString());
    params_.snArrayCount2 = CorrectArrayCount(countY_->text().toStdString());
    params_.snArraySpacing1 = CorrectDecimalEdit(DecimalEdit::kArraySpacing, spacingX_->text().toStdString());
    params_.snArraySpacing2 = CorrectDecimalEdit(DecimalEdit::kArraySpacing, spacingY_->text().toStdString());
    resetValue_->setText(QString::fromStdString(params_.snResetValue));
    ShowCount(*countX_, params_.snArrayCount1);
    ShowCount(*countY_, params_.snArrayCount2);
    ShowSpacing(*spacingX_, params_.snArraySpacing1);
    ShowSpacing(*spacingY_, params_.snArraySpacing2);
}

void CSnExtendDlg::accept() {
    CommitEdits();
    QDialog::accept();
}

}  // namespace letterforge
