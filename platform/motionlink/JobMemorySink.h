// A job sink that keeps the stored bytes in memory, for callers that want the job as a buffer.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "JobSink.h"

namespace motionlink {

class JobMemorySink final : public JobSink {
  public:
    JobStatus Write(std::span<const std::uint8_t> storedBytes) override {
        bytes_.insert(bytes_.end(), storedBytes.begin(), storedBytes.end());
        return kJobOk;
    }
    JobStatus Finish() override {
        finished_ = true;
        return kJobOk;
    }

    const std::vector<std::uint8_t>& Bytes() const { return bytes_; }
    bool IsFinished() const { return finished_; }

  private:
    std::vector<std::uint8_t> bytes_;
    bool finished_ = false;
};

}  // namespace motionlink
