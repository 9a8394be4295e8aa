// The bytes of a job file, read into a buffer that the thread keeps for its next job, so that reading
// job after job neither allocates nor zero-fills tens of megabytes each time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>

namespace jobscan {

class JobFileBuffer {
  public:
    // The whole of the regular file at `path`, valid until the next Read on this object; nothing when
    // it cannot be opened, is no regular file (a folder, a named pipe that would wait for a writer) or
    // does not fit in memory.
    std::optional<std::span<const std::uint8_t>> Read(const char* path);

  private:
    bool Reserve(std::size_t bytes);

    std::unique_ptr<std::uint8_t[]> bytes_;
    std::size_t capacity_ = 0;
};

}  // namespace jobscan
