// The text dialog's controls, its variable-text panels and OK's checks.
#include "TextDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "DateTextDlg.h"
#include "DialogControls.h"
#include "DialogMessages.h"
#include "DialogTexts.h"
#include "FontCombos.h"
#include "Numbers.h"
#include "SnTextDlg.h"
#include "TextEdit.h"
#include "TextEntryRules.h"

namespace letterforge {
namespace {

constexpr int kHeightLabel = 24016;
constexpr int kWidthLabel = 24017;
constexpr int kCharSpaceLabel = 24018;
constexpr int kLineSpaceLabel = 24019;
// The lists draw their names at this pixel height.
constexpr int kFontListItemHeight = 14;
constexpr int kSerialKind = 1;

// The text is shown in a fixed-pitch face so that columns of a multi-line text line up as typed.
constexpr const char* kTextEditFace = "Courier";

QString Caption(int id) {
    return QString::fromStdString(DialogCaption(TextDialog::kText, id, DialogLanguage));
}

// Which field of the working record each decimal edit holds, and the rule that corrects it.
struct DecimalBinding {
    int controlId;
    DecimalEdit rule;
    double CTextParam::*field;
};

constexpr DecimalBinding kDecimalBindings[] = {
    {CTextDlg::kHeightEdit, DecimalEdit::kHeight, &CTextParam::height},
    {CTextDlg::kWidthEdit, DecimalEdit::kWidth, &CTextParam::widthPercent},
    {CTextDlg::kCharSpaceEdit, DecimalEdit::kCharSpace, &CTextParam::charSpace},
    {CTextDlg::kLineSpaceEdit, DecimalEdit::kLineSpace, &CTextParam::lineSpace},
};

const DecimalBinding* BindingOf(const QLineEdit& edit) {
    for (const DecimalBinding& binding : kDecimalBindings) {
        if (edit.objectName() == QString::number(binding.controlId)) {
            return &binding;
        }
    }
    return nullptr;
}

QString ShownNumber(double value) {
    return QString::fromStdString(ShowDecimalEdit(value));
}

}  // namespace

CTextDlg::CTextDlg(QWidget* parent) : QDialog(parent) {
    MakeControls();
    trueTypeFonts_->SetItemFontHeight(kFontListItemHeight, true);
    shxFonts_->SetItemFontHeight(kFontListItemHeight, true);
    trueTypeFonts_->SelectFontName(EditTextParam.trueTypeFont);
    shxFonts_->SelectFontName(EditTextParam.shxFont);
    ChooseFontKind(EditTextParam.fontKind == CTextParam::kShxFont);
    EditTextParam.varKind = DialogVarKind(EditTextParam.varKind);
    kind_->setCurrentIndex(EditTextParam.varKind);
    variable_->setChecked(EditTextParam.varTextOn != 0);
    ShowRecord();
    ShowVariableText();
    text_->setFocus();  // the dialog is opened to type a text

    connect(trueTypeRadio_, &QRadioButton::clicked, this, [this] { ChooseFontKind(false); });
    connect(shxRadio_, &QRadioButton::clicked, this, [this] { ChooseFontKind(true); });
    connect(trueTypeFonts_, &QComboBox::currentIndexChanged, this,
            [this] { EditTextParam.trueTypeFont = trueTypeFonts_->SelectedFontName(); });
    connect(shxFonts_, &QComboBox::currentIndexChanged, this,
            [this] { EditTextParam.shxFont = shxFonts_->SelectedFontName(); });
    for (QLineEdit* edit : {height_, width_, charSpace_, lineSpace_}) {
        connect(edit, &QLineEdit::editingFinished, this, [this, edit] { CommitDecimalEdit(*edit); });
    }
    connect(variable_, &QCheckBox::toggled, this, [this](bool on) {
        EditTextParam.varTextOn = on ? 1 : 0;
        ShowVariableText();
    });
    connect(kind_, &QComboBox::currentIndexChanged, this, [this](int kind) {
        EditTextParam.varKind = static_cast<std::uint16_t>(kind == kSerialKind ? kSerialKind : 0);
        ShowVariableText();
    });
    connect(apply_, &QPushButton::clicked, this, &CTextDlg::OnApply);
}

void CTextDlg::MakeControls() {
    setWindowTitle(Caption(kWindowTitle));
    trueTypeRadio_ = dialogkit::MakeRadio(this, kTrueTypeRadio, Caption(kTrueTypeRadio));
    shxRadio_ = dialogkit::MakeRadio(this, kShxRadio, Caption(kShxRadio));
    trueTypeFonts_ = new CTrueTypeFontCombo(this);
    trueTypeFonts_->setObjectName(QString::number(kTrueTypeCombo));
    shxFonts_ = new CShxFontCombo(this);
    shxFonts_->setObjectName(QString::number(kShxCombo));
    height_ = dialogkit::MakeEdit(this, kHeightEdit);
    width_ = dialogkit::MakeEdit(this, kWidthEdit);
    charSpace_ = dialogkit::MakeEdit(this, kCharSpaceEdit);
    lineSpace_ = dialogkit::MakeEdit(this, kLineSpaceEdit);
    angle_ = dialogkit::MakeEdit(this, kAngleEdit);
    angle_->hide();  // the angle is carried, not edited
    text_ = new QPlainTextEdit(this);
    text_->setObjectName(QString::number(kTextEdit));
    text_->setFont(QFont(kTextEditFace));
    text_->setTabChangesFocus(true);  // Enter starts a new line; Tab leaves for the other controls
    variable_ = dialogkit::MakeCheck(this, kVariableCheck, Caption(kVariableCheck));
    kind_ = new QComboBox(this);
    kind_->setObjectName(QString::number(kKindCombo));
    kind_->addItem(QString::fromStdString(DialogWordText(DialogWord::kKindDate, DialogLanguage)));
    kind_->addItem(QString::fromStdString(DialogWordText(DialogWord::kKindSerial, DialogLanguage)));
    apply_ = dialogkit::MakeButton(this, kApplyButton, Caption(kApplyButton));
    panelFrame_ = new QFrame(this);
    panelFrame_->setObjectName(QString::number(kPanelFrame));
    datePanel_ = new CDateTextDlg(panelFrame_);
    serialPanel_ = new CSnTextDlg(panelFrame_);
    auto* panels = new QVBoxLayout(panelFrame_);
    panels->setContentsMargins(0, 0, 0, 0);
    panels->addWidget(datePanel_);
    panels->addWidget(serialPanel_);
    QPushButton* ok = dialogkit::MakeButton(this, kOkButton, Caption(kOkButton));
    QPushButton* cancel =
        dialogkit::MakeButton(this, dialogkit::kCancelButton, Caption(dialogkit::kCancelButton));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &CTextDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &CTextDlg::reject);

    auto* layout = new QGridLayout(this);
    layout->addWidget(trueTypeRadio_, 0, 0);
    layout->addWidget(trueTypeFonts_, 0, 1, 1, 3);
    layout->addWidget(shxRadio_, 1, 0);
    layout->addWidget(shxFonts_, 1, 1, 1, 3);
    layout->addWidget(dialogkit::MakeLabel(this, kHeightLabel, Caption(kHeightLabel)), 2, 0);
    layout->addWidget(height_, 2, 1);
    layout->addWidget(dialogkit::MakeLabel(this, kWidthLabel, Caption(kWidthLabel)), 2, 2);
    layout->addWidget(width_, 2, 3);
    layout->addWidget(dialogkit::MakeLabel(this, kCharSpaceLabel, Caption(kCharSpaceLabel)), 3, 0);
    layout->addWidget(charSpace_, 3, 1);
    layout->addWidget(dialogkit::MakeLabel(this, kLineSpaceLabel, Caption(kLineSpaceLabel)), 3, 2);
    layout->addWidget(lineSpace_, 3, 3);
    layout->addWidget(text_, 4, 0, 1, 4);
    auto* variableRow = new QHBoxLayout;
    variableRow->addWidget(variable_);
    variableRow->addWidget(kind_);
    variableRow->addStretch();
    variableRow->addWidget(apply_);
    layout->addLayout(variableRow, 5, 0, 1, 4);
    layout->addWidget(panelFrame_, 6, 0, 1, 4);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons, 7, 0, 1, 4);
}

void CTextDlg::ShowRecord() {
    height_->setText(ShownNumber(EditTextParam.height));
    width_->setText(ShownNumber(EditTextParam.widthPercent));
    charSpace_->setText(ShownNumber(EditTextParam.charSpace));
    lineSpace_->setText(ShownNumber(EditTextParam.lineSpace));
    angle_->setText(ShownNumber(EditTextParam.angle));
    text_->setPlainText(QString::fromStdString(EditTextParam.text));
}

void CTextDlg::ChooseFontKind(bool shx) {
    shxRadio_->setChecked(shx);
    trueTypeRadio_->setChecked(!shx);
    shxFonts_->setEnabled(shx);
    trueTypeFonts_->setEnabled(!shx);
    EditTextParam.fontKind = shx ? CTextParam::kShxFont : CTextParam::kTrueTypeFont;
}

void CTextDlg::ShowVariableText() {
    const bool on = variable_->isChecked();
    kind_->setVisible(on);
    apply_->setVisible(on);
    const bool serial = kind_->currentIndex() == kSerialKind;
    datePanel_->setVisible(on && !serial);
    serialPanel_->setVisible(on && serial);
}

void CTextDlg::CommitDecimalEdit(QLineEdit& edit) {
    const DecimalBinding* binding = BindingOf(edit);
    if (binding == nullptr) {
        return;
    }
    const double value = CorrectDecimalEdit(binding->rule, edit.text().toStdString());
    EditTextParam.*(binding->field) = value;
    edit.setText(ShownNumber(value));
}

void CTextDlg::CommitEdits() {
    for (QLineEdit* edit : {height_, width_, charSpace_, lineSpace_}) {
        CommitDecimalEdit(*edit);
    }
    datePanel_->CommitOffset();
    serialPanel_->CommitEdits();
}

void CTextDlg::OnApply() {
    if (EditTextParam.varTextOn == 0) {
        return;
    }
    const std::string text =
        EditTextParam.varKind == kSerialKind ? serialPanel_->GetSnText() : datePanel_->GetDateText();
    text_->setPlainText(QString::fromStdString(text));
    ShowRecord();
}

void CTextDlg::accept() {
    CommitEdits();
    OnApply();
    EditTextParam.text = text_->toPlainText().toStdString();
    EditTextParam.trueTypeFont = trueTypeFonts_->SelectedFontName();
    EditTextParam.shxFont = shxFonts_->SelectedFontName();
    if (const std::optional<TextProblem> problem = CheckTextForOk(EditTextParam)) {
        const DialogWord word =
            *problem == TextProblem::kNoText ? DialogWord::kNoText : DialogWord::kUnsupportedCharacter;
        dialogkit::ShowDialogMessage(this, DialogWordText(word, DialogLanguage));
        return;
    }
    QDialog::accept();
}

}  // namespace letterforge
