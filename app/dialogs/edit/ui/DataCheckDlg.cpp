#include "DataCheckDlg.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QEventLoop>
#include <QGridLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "CadMgr.h"
#include "DataCheckPasses.h"
#include "DialogMessages.h"
#include "EditDialogParts.h"
#include "FormProblem.h"

namespace dialogs::edit::ui {
namespace {

QColor ToQColor(std::uint32_t colour) {
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

// Each box, the option it writes, its text key and its row.
struct OptionBox {
    int id;
    std::int32_t DataCheckSettings::*option;
    const char* key;
    int row;
};

constexpr OptionBox kOptionBoxes[] = {
    {1005, &DataCheckSettings::checkClose, "2", 0},
    {1109, &DataCheckSettings::autoClose, "3", 1},
    {1141, &DataCheckSettings::checkOverlap, "5", 2},
    {1064, &DataCheckSettings::overlapErrorOn, "6", 3},
    {1110, &DataCheckSettings::autoDeleteOverlap, "8", 4},
    {1142, &DataCheckSettings::checkSelfCross, "9", 5},
    {1112, &DataCheckSettings::autoOpenSelfCross, "A", 6},
    {1143, &DataCheckSettings::checkCross, "B", 7},
    {1113, &DataCheckSettings::autoCombineClosed, "C", 8},
};

}  // namespace

int CColorListBox::AddLine(const std::string& text, std::uint32_t colour) {
    auto* item = new QListWidgetItem(QString::fromStdString(text), &list_);
    item->setForeground(ToQColor(colour));
    return list_.count() - 1;
}

void CColorListBox::ReplaceLine(int index, const std::string& text, std::uint32_t colour) {
    QListWidgetItem* item = list_.item(index);
    if (item == nullptr) {
        return;
    }
    item->setText(QString::fromStdString(text));
    item->setForeground(ToQColor(colour));
}

CDataCheckDlg::CDataCheckDlg(QWidget* parent, CCadMgr& manager, std::function<void()> checked)
    : QDialog(parent),
      manager_(manager),
      checked_(std::move(checked)),
      results_(new QListWidget(this)),
      report_(*results_) {
    setWindowTitle(Text("DataCheckDlg", "1"));
    setModal(false);
    auto* grid = new QGridLayout(this);
    MakeBoxes(*grid);
    auto* check = dialogkit::MakeButton(this, kCheckButton, Text("DataCheckDlg", "D"));
    connect(check, &QPushButton::clicked, this, &CDataCheckDlg::OnCheck);
    grid->addWidget(check, 9, 0, 1, 2);
    results_->setObjectName(QString::number(kResultList));
    results_->setMinimumSize(320, 200);
    grid->addWidget(results_, 0, 2, 10, 1);
    ShowEnabling();
}

void CDataCheckDlg::MakeBoxes(QGridLayout& grid) {
    const DataCheckSettings& options = manager_.dataCheck;
    for (const OptionBox& box : kOptionBoxes) {
        QCheckBox* control = dialogkit::MakeCheck(this, box.id, Text("DataCheckDlg", box.key));
        control->setChecked(options.*box.option != 0);
        connect(control, &QCheckBox::toggled, this, [this, option = box.option](bool on) {
            manager_.dataCheck.*option = on ? 1 : 0;
            ShowEnabling();
        });
        grid.addWidget(control, box.row, 0);
    }
    // The tolerance edits sit beside the box that governs them.
    grid.addWidget(dialogkit::MakeLabel(this, 1000, Text("DataCheckDlg", "4")), 1, 1);
    QLineEdit* closeEdit = dialogkit::MakeEdit(this, kCloseToleranceEdit);
    dialogkit::ShowNumber(*closeEdit, options.closeError, 3);
    grid.addWidget(closeEdit, 2, 1);
    grid.addWidget(dialogkit::MakeLabel(this, 1063, Text("DataCheckDlg", "7")), 3, 1);
    QLineEdit* overlapEdit = dialogkit::MakeEdit(this, kOverlapToleranceEdit);
    dialogkit::ShowNumber(*overlapEdit, options.overlapError, 3);
    grid.addWidget(overlapEdit, 4, 1);
}

void CDataCheckDlg::ShowEnabling() {
    const DataCheckSettings& options = manager_.dataCheck;
    const auto enable = [this](int id, bool on) { dialogkit::Find<QWidget>(*this, id)->setEnabled(on); };
    enable(1109, options.checkClose != 0);
    enable(kCloseToleranceEdit, options.checkClose != 0 && options.autoClose != 0);
    enable(1064, options.checkOverlap != 0);
    enable(1110, options.checkOverlap != 0);
    enable(kOverlapToleranceEdit, options.checkOverlap != 0 && options.overlapErrorOn != 0);
    enable(1112, options.checkSelfCross != 0);
    enable(1113, options.checkCross != 0);
}

bool CDataCheckDlg::TakeTolerances() {
    for (const auto& [id, field] : {std::pair{kCloseToleranceEdit, &DataCheckSettings::closeError},
                                    std::pair{kOverlapToleranceEdit, &DataCheckSettings::overlapError}}) {
        QLineEdit& edit = *dialogkit::Find<QLineEdit>(*this, id);
        const std::optional<double> typed = dialogkit::ReadNumber(edit);
        if (!typed) {
            edit.setFocus();
            dialogkit::ShowDialogMessage(this, dialogkit::ProblemText({id, dialogkit::kNoNumberMessage, {}}));
            return false;
        }
        manager_.dataCheck.*field = *typed;
    }
    return true;
}

void CDataCheckDlg::OnCheck() {
    if (busy_) {
        return;
    }
    results_->clear();
    if (manager_.selectionList.IsEmpty() != 0) {
        dialogkit::ShowDialogMessage(this, GetLangText("DataCheckDlg", "E"));
        return;
    }
    if (!TakeTolerances()) {
        return;
    }
    busy_ = true;
    // Repaints only: a click or key meanwhile could edit the curves the passes hold.
    RunDataCheck(manager_, manager_.dataCheck, report_,
                 [] { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); });
    busy_ = false;
    if (checked_) {
        checked_();
    }
}

void CDataCheckDlg::closeEvent(QCloseEvent* event) {
    if (busy_) {
        event->ignore();
        return;
    }
    // Accepted here rather than through QDialog, whose close goes through reject(), which this window
    // turns into nothing.
    results_->clear();
    event->accept();
}

}  // namespace dialogs::edit::ui
