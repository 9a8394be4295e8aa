// The one door through which the preview reads a job file: every load of the simulation window goes
// through LoadJobRecords, so the reader behind it can be exchanged in one place.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "JobRecord.h"

namespace simscope {

// The job file at `utf8Path` in the bulk form, a ramped cut kept as one record; nothing when the file
// cannot be read, holds no command, or its records do not fit in memory. `readerFlag` is the caller's
// reader option, which the reader accepts and leaves without effect.
std::optional<std::vector<jobscan::JobRecord>> LoadJobRecords(const std::string& utf8Path, std::uint16_t readerFlag);

}  // namespace simscope
