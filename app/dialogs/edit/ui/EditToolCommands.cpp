#include "EditToolCommands.h"

#include <QPointer>

#include "CadMgr.h"
#include "CommandTable.h"
#include "CurveToleranceDlgs.h"
#include "DataCheckDlg.h"
#include "DrawingChange.h"
#include "MatrixDlg.h"
#include "OffsetDlg.h"
#include "PageDlg.h"
#include "RotateAngleDlg.h"
#include "ShellContext.h"

namespace {

using namespace dialogs::edit;
using namespace dialogs::edit::ui;

// The applier of a form whose operation reports the change to the drawing manager itself.
template <typename Form>
std::function<void(Form&)> SelfReportingApplier(CCadMgr& manager) {
    return [&manager](Form& form) { form.Apply(manager); };
}

// Runs the dialog modally; after OK the window shows the changed drawing.
template <typename Dialog>
void RunModal(ShellContext& shell, Dialog& dialog) {
    if (dialog.exec() == QDialog::Accepted) {
        shell.OnDataChanged();
    }
}

void CurveAutoClose(ShellContext& shell, const CommandEntry&) {
    CCadMgr& manager = shell.Manager();
    CCloseCurveDlg dialog(shell.DialogParent(), CloseCurveForm::RecordOf(manager),
                          dialogs::DrawingApplier<CloseCurveForm>(manager));
    RunModal(shell, dialog);
}

void CombineCurve(ShellContext& shell, const CommandEntry&) {
    CCadMgr& manager = shell.Manager();
    CCombineErrDlg dialog(shell.DialogParent(), CombineCurveForm::RecordOf(manager),
                          dialogs::DrawingApplier<CombineCurveForm>(manager));
    RunModal(shell, dialog);
}

void DeleteOverlap(ShellContext& shell, const CommandEntry&) {
    CCadMgr& manager = shell.Manager();
    if (manager.selectionList.IsEmpty() != 0) {
        return;
    }
    COverLapDlg dialog(shell.DialogParent(), OverlapForm::RecordOf(manager), SelfReportingApplier<OverlapForm>(manager));
    RunModal(shell, dialog);
}

void OffsetPolygon(ShellContext& shell, const CommandEntry&) {
    CCadMgr& manager = shell.Manager();
    COffsetDlg dialog(shell.DialogParent(), OffsetForm::RecordOf(manager), dialogs::DrawingApplier<OffsetForm>(manager));
    RunModal(shell, dialog);
}

// The rotate tool stays chosen whether the dialog ends with OK or Cancel.
void Rotate(ShellContext& shell, const CommandEntry&) {
    constexpr std::uint32_t kRotateTool = 0x4400;
    shell.SetToolMode(kRotateTool);
    CRotateAngleDlg dialog(shell.DialogParent(), SelfReportingApplier<RotateAngleForm>(shell.Manager()));
    RunModal(shell, dialog);
}

void PageSetting(ShellContext& shell, const CommandEntry&) {
    CCadMgr& manager = shell.Manager();
    CPageDlg dialog(shell.DialogParent(), PageForm::RecordOf(manager), dialogs::DrawingApplier<PageForm>(manager));
    RunModal(shell, dialog);
}

// With several elements selected, arrays are left out of the copy; a lone array is copied.
void CopyMatrix(ShellContext& shell, const CommandEntry&) {
    CCadMgr& manager = shell.Manager();
    if (!PrepareArraySelection(manager)) {
        return;
    }
    CMatrixDlg dialog(shell.DialogParent(), manager);
    if (dialog.exec() == QDialog::Accepted) {
        manager.Redraw();
        shell.OnDataChanged();
    }
}

// One data check window at a time; the command does nothing while one is open.
void DataCheck(ShellContext& shell, const CommandEntry&) {
    static QPointer<CDataCheckDlg> open;
    if (open) {
        return;
    }
    open = new CDataCheckDlg(shell.DialogParent(), shell.Manager(), [&shell] { shell.OnDataChanged(); });
    open->setAttribute(Qt::WA_DeleteOnClose);
    open->show();
}

constexpr CommandBinding kEditToolCommands[] = {
    {40013, CurveAutoClose}, {40001, CombineCurve}, {40003, DeleteOverlap}, {40049, OffsetPolygon},
    {32791, Rotate},         {32809, PageSetting},  {40053, DataCheck},     {32794, CopyMatrix},
};

}  // namespace

void RegisterEditToolCommands(CommandRegistry& registry) {
    registry.Register(kEditToolCommands);
}
