// CLgpScaleDlg: the frame run's speed, powers and blank over a copy of the frame settings; the powers
// are greyed out for a run with the laser off.
#pragma once

#include "LgpFrameForm.h"
#include "RecordDialog.h"

namespace dotplate::ui {

class CLgpScaleDlg : public dialogkit::RecordDialog<LgpFrameForm> {
    Q_OBJECT

  public:
    CLgpScaleDlg(QWidget* parent, const LgpFrameSettings& settings, bool cut);
    // What OK took from the edits.
    const LgpFrameSettings& Settings() const { return GetForm().Edited(); }
};

}  // namespace dotplate::ui
