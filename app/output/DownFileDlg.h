// The box that stores a job file in the controller's document store under a document name, on the
// worker pattern: OK once the controller confirmed every byte, else Cancel.
#pragma once

#include "WorkerTask.h"

#include <cstdint>
#include <string>

namespace platform {
class MessageSink;
}

class CDownFileDlg final : public WorkerTask {
  public:
    static constexpr int kProgressId = 1096;

    // `messages` shows SetTarget's refusal.
    explicit CDownFileDlg(platform::MessageSink& messages) : messages_(messages) {}

    // 1 with the file and name taken; 0 when either is empty (silently) or the file is missing ("Target
    // file is not exist!"). The box runs only after a 1.
    int SetTarget(const std::string& path, const std::string& name);

    WorkerBoxLayout Layout() const override;
    int& DotCounter() override;

    // Opens the controller, starts the document before the first piece and sends the file in pieces;
    // the close confirms the last pieces. A zero-length file fails before anything is sent.
    static std::uint32_t DownloadThread(CDownFileDlg* dialog);

    std::string docName;
    std::string filePath;

  private:
    void Work() override { DownloadThread(this); }

    platform::MessageSink& messages_;
    static int dotCounter_;
};

// The wait text of the transfers into the controller.
std::string DownloadWaitText();
