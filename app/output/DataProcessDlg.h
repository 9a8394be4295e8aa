// The processing box without its window: the job writer's worker and what it shares with the box that
// watches it (running flag, result, file path), on the worker pattern of WorkerTask.
#pragma once

#include "WorkerTask.h"

#include <cstdint>
#include <string>

namespace motionlink {
class JobSink;
}

// Where the job writer puts the job: non-zero streams it into the controller, 0 writes the processing
// dialog's file path. Start sets it to 1 around its run; saving, download and preview leave it 0.
extern std::uint32_t JobDestinationFlag;

class CDataProcessDlg final : public WorkerTask {
  public:
    static constexpr int kProgressId = 1095;

    std::string filePath;  // the job file when the destination is a file
    // When set, a job with the destination 0 goes into this sink instead of the file (a job in memory).
    motionlink::JobSink* jobSink = nullptr;

    WorkerBoxLayout Layout() const override;
    int& DotCounter() override;

    // The worker's body: writes the job of the drawing and reports in `failed`; clears threadHandle.
    static std::uint32_t WriteJobThread(CDataProcessDlg* dialog);
    // Ends the job: a written job (result 0) gets its block end and file end, whose failure fails it; a
    // failed one is dropped unended, so a job file keeps its earlier content and the controller never
    // runs a part. Closes what was opened, frees the output list's copies, reports the result.
    // `sink` is the job's file or memory sink, null for the controller.
    static int FinishJob(CDataProcessDlg* dialog, motionlink::JobSink* sink, std::uint32_t result);

  private:
    void Work() override { WriteJobThread(this); }
    static int dotCounter_;
};
