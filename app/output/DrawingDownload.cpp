#include "DrawingDownload.h"

#include "DataProcessDlg.h"
#include "DownFileDlg.h"
#include "MessageSink.h"
#include "ProgramFolder.h"

#include <cstdlib>
#include <string>
#include <system_error>
#include <unistd.h>

TemporaryJobFile::TemporaryJobFile() {
    std::error_code error;
    const std::filesystem::path folder = platform::ProgramFolder() / "temp";
    std::filesystem::create_directories(folder, error);
    std::string pattern = (folder / "download-XXXXXX.zint").string();
    constexpr int kSuffixLength = 5;  // ".zint"
    const int descriptor = ::mkstemps(pattern.data(), kSuffixLength);
    if (descriptor < 0) {
        return;
    }
    ::close(descriptor);
    path_ = pattern;
}

TemporaryJobFile::~TemporaryJobFile() {
    if (!path_.empty()) {
        std::error_code error;
        std::filesystem::remove(path_, error);
    }
}

DrawingDownloadResult DownloadDrawingAsDocument(const std::string& docName, platform::MessageSink& messages) {
    const TemporaryJobFile jobFile;
    if (jobFile.Path().empty()) {
        return DrawingDownloadResult::kJobFailed;
    }
    JobDestinationFlag = 0;
    CDataProcessDlg processing;
    processing.filePath = jobFile.Path().string();
    if (processing.DoModal() != platform::kResultOk) {
        return DrawingDownloadResult::kJobFailed;
    }
    CDownFileDlg download(messages);
    if (download.SetTarget(processing.filePath, docName) == 0) {
        return DrawingDownloadResult::kDownloadFailed;
    }
    return download.DoModal() == platform::kResultOk ? DrawingDownloadResult::kDone
                                                     : DrawingDownloadResult::kDownloadFailed;
}
