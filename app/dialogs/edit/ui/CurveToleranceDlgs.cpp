#include "CurveToleranceDlgs.h"

#include <QGridLayout>

#include "EditDialogParts.h"

namespace dialogs::edit::ui {

CCloseCurveDlg::CCloseCurveDlg(QWidget* parent, const CloseCurveRecord& record, Applier apply)
    : RecordDialog(parent, CloseCurveForm(), record, std::move(apply)) {
    setWindowTitle(Text("CloseCurveDlg", "3"));
    auto* grid = new QGridLayout(this);
    grid->addWidget(dialogkit::MakeLabel(this, 1000, Text("CloseCurveDlg", "1")), 0, 0);
    grid->addWidget(dialogkit::MakeEdit(this, kCloseToleranceEdit), 0, 1);
    grid->addWidget(dialogkit::MakeCheck(this, kForceCloseBox, Text("CloseCurveDlg", "2")), 1, 0, 1, 2);
    AddOkCancel(*this, *grid, 2);
    BindControls();
}

CCombineErrDlg::CCombineErrDlg(QWidget* parent, const CombineCurveRecord& record, Applier apply)
    : RecordDialog(parent, CombineCurveForm(), record, std::move(apply)) {
    setWindowTitle(Text("CombineErrDlg", "2"));
    auto* grid = new QGridLayout(this);
    grid->addWidget(dialogkit::MakeLabel(this, 1001, Text("CombineErrDlg", "1")), 0, 0);
    grid->addWidget(dialogkit::MakeEdit(this, kCombineToleranceEdit), 0, 1);
    AddOkCancel(*this, *grid, 1);
    BindControls();
}

COverLapDlg::COverLapDlg(QWidget* parent, const OverlapRecord& record, Applier apply)
    : RecordDialog(parent, OverlapForm(), record, std::move(apply)) {
    setWindowTitle(Text("OverLapDlg", "2"));
    auto* grid = new QGridLayout(this);
    grid->addWidget(dialogkit::MakeCheck(this, kOverlapToleranceBox, Text("OverLapDlg", "3")), 0, 0, 1, 2);
    grid->addWidget(dialogkit::MakeLabel(this, 1063, Text("OverLapDlg", "1")), 1, 0);
    grid->addWidget(dialogkit::MakeEdit(this, kOverlapToleranceEdit), 1, 1);
    AddOkCancel(*this, *grid, 2);
    BindControls();
}

}  // namespace dialogs::edit::ui
