// CPulseHelpDlg: the rotary engraving help window: how the circle pulse value is found and how to
// correct the Y axis precision. It has no inputs and changes nothing.
#pragma once

#include <QDialog>

class CPulseHelpDlg : public QDialog {
  public:
    static constexpr int kHelpText = 1133;

    explicit CPulseHelpDlg(QWidget* parent);
};
