// The one door through which the preview reads a job file: every load of the simulation window goes
// through LoadJobRecords, so the reader behind it can be exchanged in one place.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "JobRecord.h"

namespace simscope {

// Fills `records` with the job file at `utf8Path` in the bulk form, a ramped cut kept as one record,
// reusing their capacity; false when the file cannot be read, holds no command, or its records do not
// fit in memory (what `records` then holds is of no use). `readerFlag` is the caller's reader option,
// which the reader accepts and leaves without effect.
bool LoadJobRecords(const std::string& utf8Path, std::uint16_t readerFlag, std::vector<jobscan::JobRecord>& records);

}  // namespace simscope
