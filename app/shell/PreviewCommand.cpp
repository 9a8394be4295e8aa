#include "PreviewCommand.h"

#include <system_error>

#include "CadMgr.h"
#include "SettingsGlobals.h"

std::uint16_t PreviewOriginCorner(const GeneralSettings& settings) {
    const bool xMirror = settings.xMirror != 0;
    const bool yMirror = settings.yMirror != 0;
    if (xMirror) {
        return yMirror ? 1 : 2;
    }
    return yMirror ? 0 : 3;
}

void RunPreviewCommand(CCadMgr& manager, const std::filesystem::path& programFolder,
                       PreviewWindows& windows) {
    const std::uint16_t corner = PreviewOriginCorner(gGeneralSettings);
    const CDbList<CCadElement*>& output =
        gProcessCtrlSettings.outputSelectedOnly != 0 ? manager.selectionList : manager.elementList;
    if (output.IsEmpty() != 0) {
        windows.ShowJobPreview({}, LanguageIndex, corner);
        return;
    }
    if (programFolder.empty()) {
        return;
    }
    const std::filesystem::path jobFile = programFolder / kPreviewJobFileName;
    const bool written = windows.RunProcessing(jobFile);
    windows.ShowJobPreview(written ? jobFile.string() : std::string{}, LanguageIndex, corner);
    // A job that was not written leaves no file of its own, but an earlier run's may still lie there.
    std::error_code ignored;
    std::filesystem::remove(jobFile, ignored);
    constexpr int kKeepSerials = 0;
    manager.RefreshVarTexts(kKeepSerials);
}
