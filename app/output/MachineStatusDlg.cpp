#include "MachineStatusDlg.h"

#include "ConnectSetting.h"
#include "LanguageTexts.h"
#include "Motionlink.h"
#include "Progress.h"

int CMachineStatusDlg::dotCounter_ = 0;

int& CMachineStatusDlg::DotCounter() {
    return dotCounter_;
}

std::uint32_t CMachineStatusDlg::ReadStatusThread(CMachineStatusDlg* dialog) {
    WaitText.Set(GetLangText("Prompt", "2"));
    std::array<std::uint8_t, 5> read{};
    dialog->failed = 0;
    const bool opened = ConnectSetting.Open() == 0;
    const bool readOk = opened && (Zint_GetMachineStauts(read.data()) == 0 ||
                                   Zint_GetMachineStauts(read.data()) == 0);
    ConnectSetting.Close();
    if (!readOk) {
        dialog->failed = 1;
        dialog->threadHandle = false;
        return 0;
    }
    dialog->status = read;
    dialog->threadHandle = false;
    return 1;
}
