// The one door through which the preview reads a job file: every load of the simulation window goes
// through LoadJobCommands, so the reader behind it can be exchanged in one place.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include "DbList.h"
#include "JobCommand.h"

namespace simscope {

// The decoded commands of the job file at `utf8Path`; nothing when the file cannot be read or holds no
// command. `readerFlag` goes to the reader unchanged. The reader's list is handed on as it is: a copy of
// a large job would cost as much again in fresh memory.
std::optional<CDbList<JobCommand>> LoadJobCommands(const std::string& utf8Path, std::uint16_t readerFlag);

}  // namespace simscope
