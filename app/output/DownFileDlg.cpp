#include "DownFileDlg.h"

#include "ConnectSetting.h"
#include "JobFileTransfer.h"
#include "LanguageTexts.h"
#include "MessageSink.h"
#include "Motionlink.h"
#include "Progress.h"

#include <filesystem>
#include <system_error>

int CDownFileDlg::dotCounter_ = 0;

std::string DownloadWaitText() {
    return GetLangText("WaitText", "Download");
}

int CDownFileDlg::SetTarget(const std::string& path, const std::string& name) {
    if (path.empty() || name.empty()) {
        return 0;
    }
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        messages_.ShowMessageBox(GetLangText("DownFileDlg", "1"), "", platform::kOk | platform::kIconWarning);
        return 0;
    }
    filePath = path;
    docName = name;
    return 1;
}

WorkerBoxLayout CDownFileDlg::Layout() const {
    WorkerBoxLayout layout;
    layout.progressId = kProgressId;
    return layout;
}

int& CDownFileDlg::DotCounter() {
    return dotCounter_;
}

std::uint32_t CDownFileDlg::DownloadThread(CDownFileDlg* dialog) {
    WaitText.Set(DownloadWaitText());
    dialog->failed = 0;
    ProgressRatio = 0.0;
    bool sent = false;
    if (ConnectSetting.Open() == 0) {
        const std::string name = dialog->docName;
        sent = SendJobFilePieces(dialog->filePath, [&name] { return Zint_StrtDownFile(name); }, nullptr);
    }
    // The close ends the transfer: only then has the controller confirmed the last pieces.
    const bool confirmed = ConnectSetting.Close() == 0;
    const bool done = sent && confirmed;
    dialog->failed = done ? 0 : 1;
    dialog->threadHandle = false;
    return done ? 1 : 0;
}
