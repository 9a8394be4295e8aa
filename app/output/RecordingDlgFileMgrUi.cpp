#include "RecordingDlgFileMgrUi.h"

void RecordingDlgFileMgrUi::ShowApplicationMessage(const std::string& text) {
    shown.push_back({Box::kApplication, text});
}

std::optional<std::string> RecordingDlgFileMgrUi::ChooseFileToDownload() {
    return fileToDownload;
}

std::optional<std::string> RecordingDlgFileMgrUi::ChooseFileToUpload() {
    return fileToUpload;
}

std::optional<std::string> RecordingDlgFileMgrUi::AskDocumentName(const std::string& proposed) {
    proposedNames.push_back(proposed);
    return documentName;
}

int RecordingDlgFileMgrUi::PageSink::ShowMessageBox(std::string_view text, std::string_view,
                                                    std::uint32_t style) {
    owner_.shown.push_back({Box::kPage, std::string(text)});
    return platform::DefaultMessageBoxResult(style);
}
