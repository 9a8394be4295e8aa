// The text dialog: the text, its font (a TrueType face or an SHX font), height, width and spacings,
// and whether it is a variable date or serial number, edited in the working record.
#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QFrame;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace letterforge {

class CDateTextDlg;
class CShxFontCombo;
class CSnTextDlg;
class CTrueTypeFontCombo;

class CTextDlg final : public QDialog {
    Q_OBJECT

  public:
    static constexpr int kHeightEdit = 24001;
    static constexpr int kTrueTypeRadio = 24002;
    static constexpr int kShxRadio = 24003;
    static constexpr int kTrueTypeCombo = 24004;
    static constexpr int kShxCombo = 24005;
    static constexpr int kWidthEdit = 24006;
    static constexpr int kCharSpaceEdit = 24007;
    static constexpr int kLineSpaceEdit = 24008;
    static constexpr int kAngleEdit = 24009;
    static constexpr int kTextEdit = 24010;
    static constexpr int kVariableCheck = 24014;
    static constexpr int kKindCombo = 24015;
    static constexpr int kPanelFrame = 24021;
    static constexpr int kOkButton = 24022;
    static constexpr int kApplyButton = 24028;

    // Shows the working record EditTextParam.
    explicit CTextDlg(QWidget* parent);

    // With variable text on, fills the text edit with the visible kind's text; the number of a serial
    // text is not advanced.
    void OnApply();
    // Corrects every edit as leaving it would, applies, checks and, when the text passes, stores it and
    // closes; otherwise tells the operator why and stays open.
    void accept() override;

  private:
    void MakeControls();
    void ShowRecord();
    void ChooseFontKind(bool shx);
    void ShowVariableText();
    void CommitEdits();
    void CommitDecimalEdit(QLineEdit& edit);

    CTrueTypeFontCombo* trueTypeFonts_;
    CShxFontCombo* shxFonts_;
    QRadioButton* trueTypeRadio_;
    QRadioButton* shxRadio_;
    QLineEdit* height_;
    QLineEdit* width_;
    QLineEdit* charSpace_;
    QLineEdit* lineSpace_;
    QLineEdit* angle_;
    QPlainTextEdit* text_;
    QCheckBox* variable_;
    QComboBox* kind_;
    QPushButton* apply_;
    QFrame* panelFrame_;
    CDateTextDlg* datePanel_;
    CSnTextDlg* serialPanel_;
};

}  // namespace letterforge
