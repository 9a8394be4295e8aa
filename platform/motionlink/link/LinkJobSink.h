// The job sink of the open connection: the job encoder streams a job into the controller through it,
// as the same bytes that it would write to a job file.
#pragma once

#include "JobSink.h"

#include <cstdint>
#include <mutex>
#include <span>
#include <vector>

namespace motionlink::link {

class LinkJobSink final : public JobSink {
  public:
    // Sends full chunks as they fill up.
    JobStatus Write(std::span<const std::uint8_t> storedBytes) override;
    // Sends what is left.
    JobStatus Finish() override;
    // Forgets what was not sent, when the connection closes under a job.
    void Discard();

  private:
    std::mutex lock_;  // the encoder and the closing thread may differ
    std::vector<std::uint8_t> pending_;
};

// The sink that Zint_Open registers with the encoder.
LinkJobSink& TheLinkJobSink();

}  // namespace motionlink::link
