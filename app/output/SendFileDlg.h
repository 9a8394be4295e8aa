// The box that sends an existing job file straight into the controller for it to process at once, on
// the worker pattern; the operator may stop the transfer.
#pragma once

#include "WorkerTask.h"

#include <cstdint>
#include <string>

namespace platform {
class MessageSink;
}

class CSendFileDlg final : public WorkerTask {
  public:
    static constexpr int kProgressId = 1093;
    static constexpr int kStopButtonId = 1056;

    // `messages` shows the refusal of a file that is not a job file.
    explicit CSendFileDlg(platform::MessageSink& messages) : messages_(messages) {}

    // 1 when filePath has the extension "zint" in any case, else 0.
    int CheckFileExt() const;
    // The stop button: asks a running worker to stop before its next piece.
    void OnCancelSend() { RequestStop(); }

    WorkerBoxLayout Layout() const override;
    int& DotCounter() override;

    // Sends the file's bytes unchanged, with no start call before them: the file is a complete job.
    static std::uint32_t SendThread(CSendFileDlg* dialog);

    std::string filePath;

  private:
    // A file that is not a job file shows "Invalid file!" and the box ends before anything is opened.
    bool CheckBeforeStart() override;
    void Work() override { SendThread(this); }

    platform::MessageSink& messages_;
    static int dotCounter_;
};
