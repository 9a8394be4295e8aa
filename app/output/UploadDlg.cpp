#include "UploadDlg.h"

#include "AtomicFileStream.h"
#include "ConnectSetting.h"
#include "LanguageTexts.h"
#include "MessageSink.h"
#include "Motionlink.h"
#include "Progress.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace {

constexpr std::uint32_t kPageBytes = 2112;
using Page = std::array<std::uint8_t, kPageBytes>;

// Where page 0's job bytes start: after its header, which ends with the byte that Zint_UBCmd turns
// into 0 (that byte is dropped too).
std::uint32_t JobStartInFirstPage(const Page& page, std::uint32_t length) {
    for (std::uint32_t at = 0; at < length; ++at) {
        std::uint8_t byte = page[at];
        Zint_UBCmd(&byte);
        if (byte == 0) {
            return at + 1;
        }
    }
    return length;
}

bool WritePage(std::FILE* file, const Page& page, std::uint32_t pageIndex, std::uint32_t length) {
    length = std::min(length, kPageBytes);
    const std::uint32_t start = pageIndex == 0 ? JobStartInFirstPage(page, length) : 0;
    const std::size_t bytes = length - start;
    return bytes == 0 || std::fwrite(page.data() + start, 1, bytes, file) == bytes;
}

// Fetches one page, asking a busy controller again up to the limit. The status the page came with
// (0, more pages or last page), or the failure as an error code.
struct PageFetch {
    std::uint16_t status = 0;
    std::uint32_t length = 0;
    CUploadDlg::ErrorCode error = CUploadDlg::kCopied;
};

PageFetch FetchPage(const CUploadDlg& dialog, std::uint32_t pageIndex, Page& page) {
    for (int tries = 0; tries < CUploadDlg::kBusyTries; ++tries) {
        if (dialog.StopRequested()) {
            return {.error = CUploadDlg::kStopped};
        }
        page.fill(0);
        PageFetch fetched;
        fetched.status = Zint_GetDocumentPageData(dialog.docNumber, pageIndex, page.data(), &fetched.length);
        if (fetched.status == motionlink::kLinkBusy) {
            continue;
        }
        const bool delivered = fetched.status == motionlink::kLinkOk ||
                               fetched.status == motionlink::kLinkMorePages ||
                               fetched.status == motionlink::kLinkLastPage;
        if (!delivered) {
            fetched.error = CUploadDlg::kCommunicationFailed;
        }
        return fetched;
    }
    return {.error = CUploadDlg::kCommunicationFailed};
}

CUploadDlg::ErrorCode CopyPages(CUploadDlg& dialog, std::FILE* file) {
    std::uint32_t pages = 0;
    if (Zint_GetDocumentPageNum(dialog.docNumber, &pages) != 0) {
        return CUploadDlg::kCommunicationFailed;
    }
    if (pages == 0) {
        return CUploadDlg::kNoPages;
    }
    Page page{};
    for (std::uint32_t pageIndex = 0; pageIndex < pages; ++pageIndex) {
        const PageFetch fetched = FetchPage(dialog, pageIndex, page);
        if (fetched.error != CUploadDlg::kCopied) {
            return fetched.error;
        }
        if (!WritePage(file, page, pageIndex, fetched.length)) {
            return CUploadDlg::kFileNotCreated;
        }
        ProgressRatio = std::min(1.0, static_cast<double>(pageIndex + 1) / pages);
        if (fetched.status == motionlink::kLinkLastPage) {
            break;
        }
        if (dialog.StopRequested()) {
            return CUploadDlg::kStopped;
        }
    }
    return CUploadDlg::kCopied;
}

}  // namespace

int CUploadDlg::dotCounter_ = 0;

std::string CUploadDlg::MessageOf(std::uint16_t code) {
    static constexpr const char* kKeys[] = {"G", "H", "I", "J", "K"};
    return code < std::size(kKeys) ? GetLangText("DlgFileMgr", kKeys[code]) : GetLangText("DlgFileMgr", "I");
}

int CUploadDlg::Result() const {
    return errorCode == kCopied ? platform::kResultOk : platform::kResultCancel;
}

WorkerBoxLayout CUploadDlg::Layout() const {
    WorkerBoxLayout layout;
    layout.progressId = kProgressId;
    layout.stopButtonId = kStopButtonId;
    layout.caption = "上传";
    layout.stopText = "取消上传";
    return layout;
}

int& CUploadDlg::DotCounter() {
    return dotCounter_;
}

std::uint32_t CUploadDlg::UploadThread(CUploadDlg* dialog) {
    dialog->errorCode = kCopied;
    WaitText.Set(GetLangText("WaitText", "Upload"));
    ProgressRatio = 0.0;
    ErrorCode result = kFileNotCreated;
    {
        platform::AtomicFileStream file(dialog->filePath);
        if (file.File() != nullptr) {
            result = ConnectSetting.Open() == 0 ? CopyPages(*dialog, file.File()) : kCommunicationFailed;
            ConnectSetting.Close();
        }
        // Only a complete copy replaces what the path held; everything else leaves it untouched.
        if (result == kCopied && !file.Commit()) {
            result = kFileNotCreated;
        }
    }
    ProgressRatio = 1.0;
    dialog->errorCode = result;
    dialog->failed = result == kCopied ? 0 : 1;
    dialog->threadHandle = false;
    return result == kCopied ? 1 : 0;
}
