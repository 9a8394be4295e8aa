// The process family's handlers, each a modal window over the drawing.
#include "ProcessCommands.h"

#include "CadMgr.h"
#include "CommandTable.h"
#include "DataProcessDlg.h"
#include "DlgSetOrderWindow.h"
#include "LgpDlgExport.h"
#include "LgpHandBack.h"
#include "MessageSink.h"
#include "OptimDlgWindow.h"
#include "PreviewCommand.h"
#include "ProgramFolder.h"
#include "SettingsGlobals.h"
#include "SettingsRecords.h"
#include "ShellContext.h"
#include "Simscope.h"

namespace {

// Runs the job writer into the file in its progress box and waits for it.
bool WriteJobFile(const std::filesystem::path& jobFile) {
    CDataProcessDlg processing;
    processing.filePath = jobFile.string();
    return processing.DoModal() == platform::kResultOk;
}

class ShellPreviewWindows final : public PreviewWindows {
  public:
    bool RunProcessing(const std::filesystem::path& jobFile) override { return WriteJobFile(jobFile); }
    void ShowJobPreview(const std::string& jobPath, std::uint16_t language,
                        std::uint16_t originCorner) override {
        constexpr std::uint16_t kReaderFlag = 1;
        Zint_SimuDlg(jobPath.c_str(), language, originCorner, kReaderFlag);
    }
};

void Preview(ShellContext& shell, const CommandEntry&) {
    ShellPreviewWindows windows;
    RunPreviewCommand(shell.Manager(), platform::ProgramFolder(), windows);
    shell.OnDataChanged();
}

void SetOrder(ShellContext& shell, const CommandEntry&) {
    output::ui::CDlgSetOrder dialog(shell.DialogParent(), shell.Manager());
    dialog.exec();
    // Cancel keeps the new element names and any reversed direction, so the view shows both either way.
    shell.OnDataChanged();
}

void CutOptimize(ShellContext& shell, const CommandEntry&) {
    output::ui::COptimDlg dialog(shell.DialogParent(), gOptimSettings, shell.Manager());
    if (dialog.exec() == QDialog::Accepted) {
        shell.OnDataChanged();
    }
}

// The designer hands its design back in "lgp.ds"; a cancelled designer leaves any old file untouched.
void LgpDesign(ShellContext& shell, const CommandEntry&) {
    constexpr std::uint16_t kDesignHandedBack = 1;
    if (Zint_LGPDlg(LanguageIndex, PreviewOriginCorner(gGeneralSettings), gGeneralSettings.laserHeadPosition,
                    &gOutputOptions.reverseIntervals) != kDesignHandedBack) {
        return;
    }
    CCadMgr& manager = shell.Manager();
    if (PlaceLgpDesign(platform::ProgramFile("lgp.ds"), manager, gFileParaSettings.closeErrorMm,
                       shell.View()) > 0) {
        manager.NotifyModified();
    }
    shell.OnDataChanged();
}

constexpr CommandBinding kProcessCommands[] = {
    {40046, Preview},
    {40002, SetOrder},
    {40016, CutOptimize},
    {40055, LgpDesign},
};

}  // namespace

void RegisterProcessCommands(CommandRegistry& registry) {
    registry.Register(kProcessCommands);
}
