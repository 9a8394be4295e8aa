// The "Please wait" box that reads the controller's machine status before a controller operation, on the
// worker pattern: OK with the five status bytes read, Cancel when the controller could not be read.
#pragma once

#include "WorkerTask.h"

#include <array>
#include <cstdint>

class CMachineStatusDlg final : public WorkerTask {
  public:
    // byte 0 non-zero: processing or paused; byte 1 non-zero: paused. All zero until a read succeeds, so
    // a caller must look at DoModal's result before the bytes.
    std::array<std::uint8_t, 5> status{};

    int& DotCounter() override;

    // Opens the controller, reads the status (a second time when the first read fails), closes; writes
    // the bytes before it clears threadHandle.
    static std::uint32_t ReadStatusThread(CMachineStatusDlg* dialog);

  private:
    void Work() override { ReadStatusThread(this); }
    static int dotCounter_;
};
