#include "SendFileDlg.h"

#include "ConnectSetting.h"
#include "DownFileDlg.h"
#include "JobFileTransfer.h"
#include "LanguageTexts.h"
#include "MessageSink.h"
#include "Progress.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

int CSendFileDlg::dotCounter_ = 0;

int CSendFileDlg::CheckFileExt() const {
    const std::string extension = std::filesystem::path(filePath).extension().string();
    constexpr std::string_view kJobExtension = ".zint";
    const bool matches = std::ranges::equal(extension, kJobExtension, [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == b;
    });
    return !filePath.empty() && matches ? 1 : 0;
}

bool CSendFileDlg::CheckBeforeStart() {
    if (CheckFileExt() != 0) {
        return true;
    }
    messages_.ShowMessageBox(GetLangText("DownFileDlg", "2"), "", platform::kOk | platform::kIconWarning);
    return false;
}

WorkerBoxLayout CSendFileDlg::Layout() const {
    WorkerBoxLayout layout;
    layout.progressId = kProgressId;
    layout.stopButtonId = kStopButtonId;
    layout.stopText = "取消(Cancel)";
    return layout;
}

int& CSendFileDlg::DotCounter() {
    return dotCounter_;
}

std::uint32_t CSendFileDlg::SendThread(CSendFileDlg* dialog) {
    ProgressRatio = 0.0;
    WaitText.Set(DownloadWaitText());
    dialog->failed = 0;
    bool sent = false;
    if (ConnectSetting.Open() == 0) {
        sent = SendJobFilePieces(dialog->filePath, {}, dialog);
    }
    const bool confirmed = ConnectSetting.Close() == 0;
    const bool done = sent && confirmed;
    if (done) {
        ProgressRatio = 1.0;
    }
    dialog->failed = done ? 0 : 1;
    dialog->threadHandle = false;
    return done ? 1 : 0;
}
