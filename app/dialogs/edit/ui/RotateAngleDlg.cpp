#include "RotateAngleDlg.h"

#include "EditDialogParts.h"

namespace dialogs::edit::ui {

CRotateAngleDlg::CRotateAngleDlg(QWidget* parent, Applier apply)
    : RecordDialog(parent, RotateAngleForm(), RotateAngleRecord{}, std::move(apply)) {
    setWindowTitle(Text("OtherDlg", "6"));
    auto* grid = new QGridLayout(this);
    grid->addWidget(dialogkit::MakeLabel(this, 1072, Text("OtherDlg", "5")), 0, 0);
    grid->addWidget(dialogkit::MakeEdit(this, kRotateAngleEdit), 0, 1);
    AddOkCancel(*this, *grid, 1);
    BindControls();
}

}  // namespace dialogs::edit::ui
