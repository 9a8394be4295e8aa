// COffsetDlg: distance, direction and the delete switch of the offset command over its form.
#pragma once

#include "OffsetForm.h"
#include "RecordDialog.h"

namespace dialogs::edit::ui {

class COffsetDlg : public dialogkit::RecordDialog<OffsetForm> {
  public:
    COffsetDlg(QWidget* parent, const OffsetRecord& record, Applier apply);
};

}  // namespace dialogs::edit::ui
