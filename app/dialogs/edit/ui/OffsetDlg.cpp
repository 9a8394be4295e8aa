#include "OffsetDlg.h"

#include "EditDialogParts.h"

namespace dialogs::edit::ui {

COffsetDlg::COffsetDlg(QWidget* parent, const OffsetRecord& record, Applier apply)
    : RecordDialog(parent, OffsetForm(), record, std::move(apply)) {
    setWindowTitle(Text("OffsetDlg", "4"));
    auto* grid = new QGridLayout(this);
    grid->addWidget(dialogkit::MakeLabel(this, 1057, Text("OffsetDlg", "1")), 0, 0);
    grid->addWidget(dialogkit::MakeEdit(this, kOffsetDistanceEdit), 0, 1);
    // The three radios share this window as parent, so exactly one of them is ticked.
    grid->addWidget(dialogkit::MakeRadio(this, kInwardRadio, Text("OffsetDlg", "2")), 1, 0);
    grid->addWidget(dialogkit::MakeRadio(this, kOutwardRadio, Text("OffsetDlg", "3")), 1, 1);
    grid->addWidget(dialogkit::MakeRadio(this, kByNestingRadio, Text("OffsetDlg", "6")), 2, 0);
    grid->addWidget(dialogkit::MakeCheck(this, kDeleteSourceBox, Text("OffsetDlg", "5")), 2, 1);
    AddOkCancel(*this, *grid, 3);
    BindControls();
}

}  // namespace dialogs::edit::ui
