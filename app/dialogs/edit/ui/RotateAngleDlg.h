// CRotateAngleDlg: the angle, in degrees, by which the rotate command turns the selection.
#pragma once

#include "RecordDialog.h"
#include "RotateAngleForm.h"

namespace dialogs::edit::ui {

class CRotateAngleDlg : public dialogkit::RecordDialog<RotateAngleForm> {
  public:
    CRotateAngleDlg(QWidget* parent, Applier apply);
};

}  // namespace dialogs::edit::ui
