// The cutting-order options dialog's window (template 104): the boxes of the order settings; OK stores
// them and orders the drawing, Cancel leaves both as they were.
#pragma once

#include <QDialog>

#include "OptimDlg.h"

class CCadMgr;

namespace output::ui {

class COptimDlg : public QDialog {
    Q_OBJECT

  public:
    // Shows a copy of `settings`; OK writes the copy back into them and orders the manager's drawing.
    COptimDlg(QWidget* parent, OptimSettings& settings, CCadMgr& manager);

    void accept() override;

  private:
    void LoadLangText();
    void LoadSettings();
    void UpdateEnables();
    void ConnectHandlers();

    ::COptimDlg form_;
    OptimSettings& settings_;
    CCadMgr& manager_;
};

}  // namespace output::ui
