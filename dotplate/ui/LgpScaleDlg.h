// CLgpScaleDlg: the frame run's speed, powers and blank, as typed; the powers are greyed out for a run
// with the laser off.
#pragma once

#include <QDialog>

#include "LgpDesigner.h"

namespace dotplate::ui {

class CLgpScaleDlg : public QDialog {
    Q_OBJECT

  public:
    CLgpScaleDlg(QWidget* parent, const LgpFrameSettings& settings, bool cut);
    // What OK took from the edits.
    const LgpFrameSettings& Settings() const { return settings_; }

  public:
    void accept() override;

  private:
    LgpFrameSettings settings_;
};

}  // namespace dotplate::ui
