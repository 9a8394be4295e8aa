// The job being written: appends commands to a sink in their stored form and keeps what the reader of
// the job will know at each point (position, start and end power), so that every move is written in
// the shortest form that reads back to the same place and power.
#pragma once

#include <cstdint>

#include "JobCommandBytes.h"
#include "JobSink.h"
#include "JobStatus.h"

namespace motionlink {

struct JobPosition {
    std::int32_t xUm = 0;
    std::int32_t yUm = 0;
};

class JobEncoder {
  public:
    // Starts a new job on the sink, which must outlive the job; an unfinished job is dropped.
    void Start(JobSink& sink);
    // Forgets the current job without ending it.
    void Drop();
    bool IsOpen() const { return sink_ != nullptr; }
    const JobSink* Sink() const { return sink_; }

    // A travel move or a cut to the absolute target, in micrometres.
    JobStatus MoveTo(JobPosition target);
    JobStatus CutTo(JobPosition target);

    // Power commands that the reader keeps as the start and end power of the following cuts.
    JobStatus SetLinePowers(std::uint16_t level);    // start and end power
    JobStatus SetLineEndPower(std::uint16_t level);  // end power only
    JobStatus SetLayerPower(std::uint16_t level);    // start and end power, the block's power

    // Any command that changes neither the position nor the powers.
    JobStatus Append(const JobCommandBytes& command);

    // Writes the end command, finishes the sink and closes the job.
    JobStatus End();

    JobPosition Position() const { return position_; }

  private:
    JobStatus PathTo(JobPosition target, bool cut);
    JobStatus SetPowers(const JobCommandBytes& command, std::uint16_t startLevel, std::uint16_t endLevel);

    JobSink* sink_ = nullptr;
    JobPosition position_;
    std::uint16_t startLevel_ = 0;
    std::uint16_t endLevel_ = 0;
};

}  // namespace motionlink
