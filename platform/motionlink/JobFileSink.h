// A job sink that writes a job file (.zint). The file appears whole when the job ends, never half
// written: the bytes are kept until Finish and then written atomically.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

#include "JobSink.h"

namespace motionlink {

class JobFileSink final : public JobSink {
  public:
    explicit JobFileSink(std::filesystem::path path);

    JobStatus Write(std::span<const std::uint8_t> storedBytes) override;
    JobStatus Finish() override;

    const std::filesystem::path& Path() const { return path_; }

  private:
    std::filesystem::path path_;
    std::vector<std::uint8_t> bytes_;
};

}  // namespace motionlink
