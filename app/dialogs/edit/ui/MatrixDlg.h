// CMatrixDlg: copies the selection into a grid. Counts and gaps are tidied as the user leaves each
// edit; the direction button turns the way the grid grows; "Fill..." asks for an area (CBestrewDlg) and
// proposes the counts that fill it. The copy button copies and closes; Cancel copies nothing and
// forgets a turned direction. CBestrewDlg: the area's width and height, returned as typed.
#pragma once

#include <QDialog>

#include "ArrayCopyRules.h"
#include "BestrewForm.h"
#include "RecordDialog.h"

class CCadMgr;
class QGridLayout;
class QLineEdit;
class QPushButton;

namespace dialogs::edit::ui {

class CBestrewDlg : public dialogkit::RecordDialog<BestrewForm> {
  public:
    CBestrewDlg(QWidget* parent, const BestrewRecord& area);
    const BestrewRecord& Area() const { return GetForm().Edited(); }
};

class CMatrixDlg : public QDialog {
  public:
    static constexpr int kColumnsEdit = 1030;
    static constexpr int kRowsEdit = 1031;
    static constexpr int kColumnGapEdit = 1006;
    static constexpr int kRowGapEdit = 1007;
    static constexpr int kDirectionButton = 1036;
    static constexpr int kFillButton = 1077;

    CMatrixDlg(QWidget* parent, CCadMgr& manager);

    ArrayDirection Direction() const { return direction_; }
    // The fill button's work once the area is known.
    void FillArea(const BestrewRecord& area);
    void accept() override;

  private:
    QLineEdit* AddEdit(QGridLayout& grid, int row, int labelId, const char* key, int editId);
    ArrayCounts TidyCounts();
    void TidyGaps();
    double Gap(int editId) const;
    void TurnDirection();
    void ShowDirection();
    void AskArea();

    CCadMgr& manager_;
    CCadRect selection_;
    ArrayDirection direction_;
    QPushButton* directionButton_ = nullptr;
};

}  // namespace dialogs::edit::ui
