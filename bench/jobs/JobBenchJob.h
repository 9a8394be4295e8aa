// A large job for the job benchmarks, written through the job calls as job generation writes one: cut
// runs of short lines, travel moves between them, and power changes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace jobbench {

// Commands one WriteJobPart call writes.
inline constexpr int kCommandsPerPart = 35;

// Writes one part of a job into the open job; `part` varies the figures. Returns false on a failed call.
bool WriteJobPart(int part);

// The stored bytes of a job of at least `minimumBytes`.
std::vector<std::uint8_t> MakeStoredJob(std::size_t minimumBytes);

}  // namespace jobbench
