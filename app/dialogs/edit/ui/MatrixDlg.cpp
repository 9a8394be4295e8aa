#include "MatrixDlg.h"

#include <cmath>

#include "CadMgr.h"
#include "EditDialogParts.h"

namespace dialogs::edit::ui {
namespace {

// Where the grid grows, by direction (ArrayDirection): right and down, left and down, left and up,
// right and up.
constexpr const char* kDirectionArrows[] = {"\u2198", "\u2199", "\u2196", "\u2197"};

}  // namespace

CBestrewDlg::CBestrewDlg(QWidget* parent, const BestrewRecord& area) : RecordDialog(parent, BestrewForm(), area, nullptr) {
    setWindowTitle(Text("DlgLaserOpt", "C"));
    auto* grid = new QGridLayout(this);
    grid->addWidget(dialogkit::MakeLabel(this, 1160, Text("DlgLaserOpt", "D")), 0, 0);
    grid->addWidget(dialogkit::MakeEdit(this, kBestrewWidthEdit), 0, 1);
    grid->addWidget(dialogkit::MakeLabel(this, 1161, Text("DlgLaserOpt", "E")), 1, 0);
    grid->addWidget(dialogkit::MakeEdit(this, kBestrewHeightEdit), 1, 1);
    AddOkCancel(*this, *grid, 2);
    BindControls();
}

CMatrixDlg::CMatrixDlg(QWidget* parent, CCadMgr& manager)
    : QDialog(parent), manager_(manager), selection_(manager.GetSelectionRect()), direction_(LastArrayDirection()) {
    setWindowTitle(Text("MatrixDlg", "1"));
    auto* grid = new QGridLayout(this);
    QLineEdit* columns = AddEdit(*grid, 0, 1073, "2", kColumnsEdit);
    QLineEdit* rows = AddEdit(*grid, 1, 1075, "3", kRowsEdit);
    QLineEdit* columnGap = AddEdit(*grid, 2, 1074, "4", kColumnGapEdit);
    QLineEdit* rowGap = AddEdit(*grid, 3, 1076, "5", kRowGapEdit);
    columns->setText("1");
    rows->setText("1");
    dialogkit::ShowNumber(*columnGap, 0.0, 3);
    dialogkit::ShowNumber(*rowGap, 0.0, 3);
    for (QLineEdit* count : {columns, rows}) {
        connect(count, &QLineEdit::editingFinished, this, [this] { TidyCounts(); });
    }
    for (QLineEdit* gap : {columnGap, rowGap}) {
        connect(gap, &QLineEdit::editingFinished, this, [this] { TidyGaps(); });
    }
    directionButton_ = dialogkit::MakeButton(this, kDirectionButton, QString());
    connect(directionButton_, &QPushButton::clicked, this, [this] { TurnDirection(); });
    grid->addWidget(directionButton_, 0, 2, 2, 1);
    QPushButton* fill = dialogkit::MakeButton(this, kFillButton, Text("MatrixDlg", "6"));
    connect(fill, &QPushButton::clicked, this, [this] { AskArea(); });
    grid->addWidget(fill, 2, 2, 2, 1);
    AddOkCancel(*this, *grid, 4);
    connect(dialogkit::Find<QPushButton>(*this, dialogkit::kOkButton), &QPushButton::clicked, this, &CMatrixDlg::accept);
    connect(dialogkit::Find<QPushButton>(*this, dialogkit::kCancelButton), &QPushButton::clicked, this,
            &CMatrixDlg::reject);
    ShowDirection();
}

QLineEdit* CMatrixDlg::AddEdit(QGridLayout& grid, int row, int labelId, const char* key, int editId) {
    grid.addWidget(dialogkit::MakeLabel(this, labelId, Text("MatrixDlg", key)), row, 0);
    QLineEdit* edit = dialogkit::MakeEdit(this, editId);
    grid.addWidget(edit, row, 1);
    return edit;
}

ArrayCounts CMatrixDlg::TidyCounts() {
    ArrayCounts counts;
    for (auto [id, count] : {std::pair{kColumnsEdit, &counts.columns}, std::pair{kRowsEdit, &counts.rows}}) {
        QLineEdit& edit = *dialogkit::Find<QLineEdit>(*this, id);
        *count = ReadArrayCount(edit.text().toStdString());
        edit.setText(QString::number(*count));
    }
    return counts;
}

double CMatrixDlg::Gap(int editId) const {
    return dialogkit::ReadNumber(*dialogkit::Find<QLineEdit>(*this, editId)).value_or(0.0);
}

void CMatrixDlg::TidyGaps() {
    const double width = std::fabs(selection_.x2 - selection_.x1);
    const double height = std::fabs(selection_.y2 - selection_.y1);
    for (auto [id, extent] : {std::pair{kColumnGapEdit, width}, std::pair{kRowGapEdit, height}}) {
        dialogkit::ShowNumber(*dialogkit::Find<QLineEdit>(*this, id), ArraySpacing(Gap(id), extent), 3);
    }
}

void CMatrixDlg::TurnDirection() {
    direction_ = direction_.Next();
    ShowDirection();
}

void CMatrixDlg::ShowDirection() {
    directionButton_->setText(QString::fromUtf8(kDirectionArrows[direction_.value]));
}

void CMatrixDlg::AskArea() {
    CBestrewDlg ask(this, {manager_.pageWidth, manager_.pageHeight});
    if (ask.exec() == QDialog::Accepted) {
        FillArea(ask.Area());
    }
}

void CMatrixDlg::FillArea(const BestrewRecord& area) {
    const ArrayCounts counts =
        FillCounts(area.widthMm, area.heightMm, manager_.GetSelectionRect(), Gap(kColumnGapEdit), Gap(kRowGapEdit));
    dialogkit::Find<QLineEdit>(*this, kColumnsEdit)->setText(QString::number(counts.columns));
    dialogkit::Find<QLineEdit>(*this, kRowsEdit)->setText(QString::number(counts.rows));
}

void CMatrixDlg::accept() {
    const ArrayCounts counts = TidyCounts();
    TidyGaps();
    LastArrayDirection() = direction_;
    ArrayCopy(manager_, counts, StepsOf(selection_, Gap(kColumnGapEdit), Gap(kRowGapEdit), direction_));
    QDialog::accept();
}

}  // namespace dialogs::edit::ui
