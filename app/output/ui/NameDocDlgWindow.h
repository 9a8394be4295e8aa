// The document name dialog's window (template 107): the hint, the name edit, OK and Cancel. OK closes
// only on a valid name; the name comes back in the case typed.
#pragma once

#include <string>

#include <QDialog>

#include "NameDocDlg.h"

namespace output::ui {

class CNameDocDlg : public QDialog {
    Q_OBJECT

  public:
    // The edit starts with the preset, which callers make "DEFAULT".
    CNameDocDlg(QWidget* parent, const std::string& preset);
    const std::string& Name() const { return form_.name; }

    void accept() override;

  private:
    void UpdateTexts();

    ::CNameDocDlg form_;
};

}  // namespace output::ui
