// The serial number's further settings on a copy of the working record: reset to the start after a
// value, leading zeros, and the array of numbered copies with its counts, spacings and directions.
#pragma once

#include <QDialog>

#include "TextParam.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace letterforge {

class CSnExtendDlg final : public QDialog {
    Q_OBJECT

  public:
    static constexpr int kResetCheck = 24029;
    static constexpr int kResetValueEdit = 24030;
    static constexpr int kLeadingZerosCheck = 24031;
    static constexpr int kArrayCheck = 24032;
    static constexpr int kCountXEdit = 24033;
    static constexpr int kCountYEdit = 24034;
    static constexpr int kSpacingXEdit = 24035;
    static constexpr int kSpacingYEdit = 24036;
    static constexpr int kDirectionXButton = 24037;
    static constexpr int kDirectionYButton = 24038;

    CSnExtendDlg(QWidget* parent, const CTextParam& params);

    // The copy as edited; the caller takes it only when the dialog was confirmed.
    const CTextParam& Params() const { return params_; }

    // Corrects and stores every edit as leaving it would, then closes.
    void accept() override;

  private:
    void ShowEnabling();
    void CommitEdits();
    void ShowDirections();

    CTextParam params_;
    QCheckBox* reset_;
    QLineEdit* resetValue_;
    QCheckBox* leadingZeros_;
    QCheckBox* array_;
    QLineEdit* countX_;
    QLineEdit* countY_;
    QLineEdit* spacingX_;
    QLineEdit* spacingY_;
    QPushButton* directionX_;
    QPushButton* directionY_;
};

}  // namespace letterforge
