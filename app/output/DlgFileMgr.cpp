#include "DlgFileMgr.h"

#include "ConnectSetting.h"
#include "DocName.h"
#include "DownFileDlg.h"
#include "LanguageTexts.h"
#include "MachineStatusDlg.h"
#include "Motionlink.h"
#include "PathExports.h"
#include "UploadDlg.h"

#include <algorithm>
#include <cstdio>
#include <optional>

namespace {

// The controller opened for one operation and closed when the operation's scope ends. Each operation
// lets it go before showing its last message, so that no box waits with the connection held.
class OpenController {
  public:
    OpenController() : opened_(ConnectSetting.Open() == 0) {}
    ~OpenController() { ConnectSetting.Close(); }
    OpenController(const OpenController&) = delete;
    OpenController& operator=(const OpenController&) = delete;
    bool Opened() const { return opened_; }

  private:
    bool opened_;
};

std::string MsgInfoText(const char* key) {
    return GetLangText("MsgInfo", key);
}

std::string PageText(const char* key) {
    return GetLangText("DlgFileMgr", key);
}

// Document names compare as the controller's store does: letters without regard to case. Only ASCII
// letters have a case here; every byte of a multibyte character is 0x80 or above and stays as it is.
char UpperAscii(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string ToUpperAscii(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), UpperAscii);
    return text;
}

bool SameNameIgnoringCase(const std::string& left, const std::string& right) {
    return ToUpperAscii(left) == ToUpperAscii(right);
}

// What reading the list gives: the rows read, and the message that stopped the reading (empty when
// the whole store was read).
struct ReadOutcome {
    std::vector<CDlgFileMgr::DocumentRow> rows;
    std::string pageFailure;
    std::string applicationFailure;
};

ReadOutcome ReadStore() {
    ReadOutcome outcome;
    const OpenController controller;
    std::uint32_t count = 0;
    if (!controller.Opened() || Zint_GetTotalDocNum(&count) != 0) {
        outcome.pageFailure = MsgInfoText("4");
        return outcome;
    }
    for (std::uint32_t number = 1; number <= count; ++number) {
        std::string name;
        if (Zint_GetDocumentName(number, &name) != 0) {
            outcome.applicationFailure = PageText("D");
            return outcome;
        }
        std::int32_t milliseconds = 0;
        if (Zint_GetDocumentTime(number, &milliseconds) != 0) {
            milliseconds = 0;
        }
        outcome.rows.push_back({std::to_string(number), name, CDlgFileMgr::FormatDocTime(milliseconds)});
    }
    return outcome;
}

}  // namespace

std::string CDlgFileMgr::FormatDocTime(std::int32_t milliseconds) {
    const std::int32_t hours = milliseconds / 3600000;
    const std::int32_t minutes = milliseconds % 3600000 / 60000;
    const std::int32_t seconds = milliseconds % 60000 / 1000;
    const std::int32_t rest = milliseconds % 1000;
    char text[48];
    std::snprintf(text, sizeof text, "%d:%.2d:%.2d:%.2d", hours, minutes, seconds, rest);
    return text;
}

void CDlgFileMgr::ShowPageMessage(const std::string& text) {
    ui_.PageMessages().ShowMessageBox(text, "", platform::kOk);
}

int CDlgFileMgr::SelectedRow() const {
    return selectedRow >= 0 && static_cast<std::size_t>(selectedRow) < rows.size() ? selectedRow : -1;
}

bool CDlgFileMgr::MachineIsIdle() {
    CMachineStatusDlg status;
    if (status.DoModal() != platform::kResultOk) {
        ShowPageMessage(MsgInfoText("4"));
        return false;
    }
    if (status.status[0] != 0) {
        ShowPageMessage(MsgInfoText("6"));
        return false;
    }
    return true;
}

void CDlgFileMgr::ReadList() {
    if (ConnectSetting.CheckConnect(ui_.PageMessages()) != 0) {
        return;
    }
    ReadOutcome outcome = ReadStore();
    if (!outcome.pageFailure.empty()) {
        ShowPageMessage(outcome.pageFailure);
        return;
    }
    // The rows read so far replace the old ones, even when a name stopped the reading; a store whose
    // first name cannot be read leaves the old rows standing.
    if (!outcome.rows.empty() || outcome.applicationFailure.empty()) {
        rows = std::move(outcome.rows);
        selectedRow = -1;
    }
    if (!outcome.applicationFailure.empty()) {
        ui_.ShowApplicationMessage(outcome.applicationFailure);
        return;
    }
    selectedRow = rows.empty() ? -1 : 0;
}

void CDlgFileMgr::DeleteDoc() {
    const int row = SelectedRow();
    if (row < 0 || !MachineIsIdle()) {
        return;
    }
    bool deleted = false;
    {
        const OpenController controller;
        deleted = controller.Opened() && Zint_DeleteDocument(static_cast<std::uint32_t>(row) + 1) == 0;
    }
    if (!deleted) {
        ShowPageMessage(MsgInfoText("B"));
        return;
    }
    rows.erase(rows.begin() + row);
    selectedRow = -1;
}

void CDlgFileMgr::DeleteAll() {
    if (!MachineIsIdle()) {
        return;
    }
    bool deleted = false;
    {
        const OpenController controller;
        constexpr std::uint32_t kEveryDocument = 0;
        deleted = controller.Opened() && Zint_DeleteDocument(kEveryDocument) == 0;
    }
    if (!deleted) {
        ShowPageMessage(MsgInfoText("B"));
        return;
    }
    rows.clear();
    selectedRow = -1;
    ShowPageMessage(MsgInfoText("C"));
}

void CDlgFileMgr::RunOnSelected(std::uint16_t (*call)(std::uint32_t number)) {
    if (ConnectSetting.CheckConnect(ui_.PageMessages()) != 0) {
        return;
    }
    const int row = SelectedRow();
    if (row < 0 || !MachineIsIdle()) {
        return;
    }
    bool done = false;
    {
        const OpenController controller;
        done = controller.Opened() && call(static_cast<std::uint32_t>(row) + 1) == 0;
    }
    if (!done) {
        ShowPageMessage(MsgInfoText("D"));
    }
}

void CDlgFileMgr::ProcessDoc() {
    RunOnSelected(Zint_StrtSelDocument);
}

void CDlgFileMgr::CalcDocTime() {
    RunOnSelected(Zint_CalDocumentTime);
}

std::string CDlgFileMgr::DocumentNameFor(const std::string& path) {
    std::string name;
    _path_GetFileName(path, &name, 0);
    if (CheckDocName(name, ui_.PageMessages()) == 0) {
        const std::optional<std::string> entered = ui_.AskDocumentName(kDefaultDocName);
        if (!entered) {
            return {};
        }
        name = *entered;
    }
    return ToUpperAscii(name);
}

bool CDlgFileMgr::NameIsFree(const std::string& name) {
    std::string pageFailure;
    std::string applicationFailure;
    {
        const OpenController controller;
        std::uint32_t count = 0;
        if (!controller.Opened() || Zint_GetTotalDocNum(&count) != 0) {
            pageFailure = MsgInfoText("4");
        }
        for (std::uint32_t number = 1; pageFailure.empty() && number <= count; ++number) {
            std::string stored;
            if (Zint_GetDocumentName(number, &stored) != 0) {
                applicationFailure = PageText("D");
                break;
            }
            if (SameNameIgnoringCase(stored, name)) {
                applicationFailure = PageText("C");
                break;
            }
        }
    }
    if (!pageFailure.empty()) {
        ShowPageMessage(pageFailure);
    } else if (!applicationFailure.empty()) {
        ui_.ShowApplicationMessage(applicationFailure);
    }
    return pageFailure.empty() && applicationFailure.empty();
}

void CDlgFileMgr::DownloadFile() {
    if (ConnectSetting.CheckConnect(ui_.PageMessages()) != 0 || !MachineIsIdle()) {
        return;
    }
    const std::optional<std::string> path = ui_.ChooseFileToDownload();
    if (!path) {
        return;
    }
    const std::string name = DocumentNameFor(*path);
    if (name.empty() || !NameIsFree(name)) {
        return;
    }
    CDownFileDlg download(ui_.PageMessages());
    if (download.SetTarget(*path, name) == 0) {
        return;
    }
    ui_.ShowApplicationMessage(PageText(download.DoModal() == platform::kResultOk ? "E" : "F"));
    ReadList();
}

void CDlgFileMgr::UploadFile() {
    if (ConnectSetting.CheckConnect(ui_.PageMessages()) != 0) {
        return;
    }
    const int row = SelectedRow();
    if (row < 0 || !MachineIsIdle()) {
        return;
    }
    const std::optional<std::string> path = ui_.ChooseFileToUpload();
    if (!path) {
        return;
    }
    CUploadDlg upload;
    upload.docNumber = static_cast<std::uint16_t>(row + 1);
    upload.filePath = *path;
    if (upload.DoModal() == platform::kResultOk) {
        ui_.ShowApplicationMessage(CUploadDlg::MessageOf(CUploadDlg::kCopied));
        return;
    }
    const std::uint16_t code = upload.errorCode;
    if (code >= CUploadDlg::kFileNotCreated && code <= CUploadDlg::kStopped) {
        ui_.ShowApplicationMessage(CUploadDlg::MessageOf(code));
    }
}
