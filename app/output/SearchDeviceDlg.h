// The "Searching device,Please wait" box: the controller search of the current connection kind on the
// worker pattern. OK when a controller was found, else Cancel; the lists are in ConnectSetting.
#pragma once

#include "WorkerTask.h"

#include <atomic>
#include <cstdint>

class CSearchDeviceDlg final : public WorkerTask {
  public:
    std::atomic<std::uint32_t> found{0};  // 1 when the search found a controller

    int Result() const override;
    int& DotCounter() override;

    // Searches ports or addresses as ConnectSetting's kind says; changes ConnectSetting's lists, which
    // the caller reads only after the box has ended.
    static std::uint32_t SearchThread(CSearchDeviceDlg* dialog);

  private:
    void Work() override { SearchThread(this); }
    static int dotCounter_;
};
