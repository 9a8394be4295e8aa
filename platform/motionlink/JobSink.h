// Where the job encoder puts the bytes of a job: a job file or an open controller connection. Both take
// the same bytes, so a job written to a file and the same job streamed to a controller are identical.
#pragma once

#include <cstdint>
#include <span>

#include "JobStatus.h"

namespace motionlink {

class JobSink {
  public:
    virtual ~JobSink() = default;

    // Takes whole commands, already in their stored form (the bytes of a job file). A non-zero status
    // is handed back unchanged as the result of the job-writing call that produced the bytes.
    virtual JobStatus Write(std::span<const std::uint8_t> storedBytes) = 0;

    // Called once, after the end command has been written: the sink delivers what it still holds.
    virtual JobStatus Finish() = 0;
};

}  // namespace motionlink
