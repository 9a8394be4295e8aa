// The box that copies a document stored in the controller into a job file, page by page, on the worker
// pattern. The file is written whole or not at all: a failed or stopped upload leaves an earlier file
// of that name as it was.
#pragma once

#include "WorkerTask.h"

#include <cstdint>
#include <string>

class CUploadDlg final : public WorkerTask {
  public:
    static constexpr int kProgressId = 1158;
    static constexpr int kStopButtonId = 1187;

    // The outcome; the document manager words each one.
    enum ErrorCode : std::uint16_t {
        kCopied = 0,
        kFileNotCreated = 1,
        kCommunicationFailed = 2,  // connection, page count, page data, or a controller busy three times
        kNoPages = 3,
        kStopped = 4,
    };
    // The document manager's message for the outcome, from the language files.
    static std::string MessageOf(std::uint16_t code);
    // Times a busy controller is asked for the same page before the upload fails.
    static constexpr int kBusyTries = 3;

    // The stop button: asks a running worker to stop before its next page.
    void OnCancelUpload() { RequestStop(); }

    // OK only for kCopied.
    int Result() const override;
    WorkerBoxLayout Layout() const override;
    int& DotCounter() override;

    static std::uint32_t UploadThread(CUploadDlg* dialog);

    std::string filePath;
    std::uint16_t docNumber = 0;  // 1-based
    std::atomic<std::uint16_t> errorCode{kCopied};

  private:
    void Work() override { UploadThread(this); }
    static int dotCounter_;
};
