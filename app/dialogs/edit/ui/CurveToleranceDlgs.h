// The three curve clean-up dialogs: close curves, combine curves and delete overlap, each a tolerance
// edit over its form (CurveToleranceForms.h).
#pragma once

#include "CurveToleranceForms.h"
#include "RecordDialog.h"

namespace dialogs::edit::ui {

class CCloseCurveDlg : public dialogkit::RecordDialog<CloseCurveForm> {
  public:
    CCloseCurveDlg(QWidget* parent, const CloseCurveRecord& record, Applier apply);
};

class CCombineErrDlg : public dialogkit::RecordDialog<CombineCurveForm> {
  public:
    CCombineErrDlg(QWidget* parent, const CombineCurveRecord& record, Applier apply);
};

class COverLapDlg : public dialogkit::RecordDialog<OverlapForm> {
  public:
    COverLapDlg(QWidget* parent, const OverlapRecord& record, Applier apply);
};

}  // namespace dialogs::edit::ui
