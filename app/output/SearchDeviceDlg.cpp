#include "SearchDeviceDlg.h"

#include "ConnectSetting.h"
#include "LanguageTexts.h"
#include "MessageSink.h"
#include "Progress.h"

int CSearchDeviceDlg::dotCounter_ = 0;

int CSearchDeviceDlg::Result() const {
    return found == 1 ? platform::kResultOk : platform::kResultCancel;
}

int& CSearchDeviceDlg::DotCounter() {
    return dotCounter_;
}

std::uint32_t CSearchDeviceDlg::SearchThread(CSearchDeviceDlg* dialog) {
    WaitText.Set(GetLangText("WaitText", "Search"));
    dialog->found = ConnectSetting.Search() == 0 ? 1 : 0;
    dialog->threadHandle = false;
    return dialog->found;
}
