// The start-up worker.
#include "StartupThread.h"

#include "CadMgr.h"
#include "ConnectSetting.h"
#include "LanguageTexts.h"
#include "MachineParaRecords.h"
#include "MotionlinkLink.h"
#include "ProgramFolder.h"
#include "Progress.h"
#include "RecentFileList.h"
#include "SettingsFiles.h"
#include "VerCfgFile.h"
#include "WriterLeftovers.h"

#include <set>

std::atomic<int> StartupBusy = 0;

namespace {

constexpr std::uint32_t kCardVersion = 320;
constexpr std::uint32_t kAxisX = 1;
constexpr std::uint32_t kAxisY = 2;
constexpr std::size_t kTubeConfigByte = 7;

// Steps that stop at the first failing read, keeping what was read before it.
bool ReadAxes(CCadMgr& manager, CVendorPara& vendor) {
    double value = 0.0;
    if (Zint_GetAxisRange(kAxisX, &value) != 0) {
        return false;
    }
    manager.workWidth = WorkSizeFromAxisRange(value, manager.workWidth);
    if (Zint_GetAxisRange(kAxisY, &value) != 0) {
        return false;
    }
    manager.workHeight = WorkSizeFromAxisRange(value, manager.workHeight);
    if (Zint_GetAxisPrecision(kAxisX, &value) != 0) {
        return false;
    }
    vendor.stepLengthUm[0] = StepLengthFromAxisPrecision(value);
    if (Zint_GetAxisPrecision(kAxisY, &value) != 0) {
        return false;
    }
    vendor.stepLengthUm[1] = StepLengthFromAxisPrecision(value);
    return true;
}

}  // namespace

double WorkSizeFromAxisRange(double rangeMm, double currentMm) {
    return rangeMm > 0.0 && rangeMm < kMaxAxisRangeMm ? rangeMm : currentMm;
}

double StepLengthFromAxisPrecision(double precision) {
    return precision > 0.0 ? precision : kDefaultStepLength;
}

void ReadControllerSizes(CCadMgr& manager, CVendorPara& vendor) {
    Zint_SetCardVer(kCardVersion);
    if (ConnectSetting.Open() != 0) {
        ConnectSetting.Close();
        return;
    }
    if (ReadAxes(manager, vendor)) {
        std::uint8_t mode[8] = {};
        if (Zint_GetSystemCtrlMode(mode) == 0) {
            vendor.tubeConfig = mode[kTubeConfigByte] == 1 ? 1 : 0;
        }
    }
    ConnectSetting.Close();
}

// The serialisers first: without them "lpara" and the connection block of "config" would be carried
// through unread.
void StartupThread() {
    RemoveLeftoversOfKilledSaves();
    RegisterDrawingSettingsFile();
    RegisterConnectSettingSerializer();
    LoadVerCfg();
    LoadAllSettings();
    SelectLanguage();
    ReadControllerSizes(theCadMgr, gVendorPara);
    StartupBusy = 0;
}

void RemoveLeftoversOfKilledSaves() {
    const std::filesystem::path programFolder = platform::ProgramFolder();
    if (programFolder.empty()) {
        return;
    }
    std::set<std::filesystem::path> folders = {programFolder};
    const CRecentFileList recent(platform::ProgramFile(CRecentFileList::kStoreName));
    for (const std::filesystem::path& document : recent.Entries()) {
        folders.insert(document.parent_path());
    }
    const std::filesystem::file_time_type startedAt = platform::ProcessStartTime();
    for (const std::filesystem::path& folder : folders) {
        platform::RemoveWriterLeftovers(folder, startedAt);
    }
}

std::jthread StartStartupThread(std::function<void()> finished) {
    ProgressRatio = 0.0;
    StartupBusy = 1;
    return std::jthread([finished = std::move(finished)] {
        StartupThread();
        if (finished) {
            finished();
        }
    });
}

void CopyWorkSizeToPage(CCadMgr& manager) {
    manager.pageWidth = manager.workWidth;
    manager.pageHeight = manager.workHeight;
}
