// The one door through which the preview reads a job file: every load of the simulation window goes
// through LoadJobCommands, so the reader behind it can be exchanged in one place.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "JobCommand.h"

namespace simscope {

// The decoded commands of the job file at `utf8Path`; nothing when the file cannot be read or holds no
// command. `readerFlag` goes to the reader unchanged.
std::optional<std::vector<JobCommand>> LoadJobCommands(const std::string& utf8Path, std::uint16_t readerFlag);

}  // namespace simscope
