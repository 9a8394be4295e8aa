// Jobscan, the controller job file reader: its one export.
#pragma once

#include <cstdint>

#include "DbList.h"
#include "JobCommand.h"

// Reads the job file at `path` (UTF-8), passes every byte through Zint_UBCmd and appends one record per
// understood command to `list`. Returns 1 when the file cannot be opened or held in memory (nothing
// appended), else 0, also for an empty, unfinished or partly unreadable job. `flag` is kept and not
// used otherwise.
std::uint16_t Zint_ReadZintFile(const char* path, CDbList<JobCommand>* list, std::uint16_t flag);
