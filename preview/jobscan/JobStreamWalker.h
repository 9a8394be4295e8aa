// The decoding walk of the job reader: turns an opcode stream (job file bytes after the byte transform)
// into JobCommand records appended to a caller's list.
#pragma once

#include <cstdint>
#include <span>

#include "DbList.h"
#include "JobCommand.h"

namespace jobscan {

// Walks the stream once from the start to the end opcode or the end of the data. Unknown bytes are
// skipped one at a time; a command whose operands would run past the data ends the walk without a
// record. A list without a sentinel receives nothing.
void WalkJobStream(std::span<const std::uint8_t> opcodeStream, CDbList<JobCommand>* list);

}  // namespace jobscan
