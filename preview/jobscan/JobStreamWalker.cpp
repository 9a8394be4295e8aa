// The walk over an opcode stream, as the decoder's list form.
#include "JobStreamWalker.h"

#include "JobDecoder.h"

namespace jobscan {

void WalkJobStream(std::span<const std::uint8_t> opcodeStream, CDbList<JobCommand>* list) {
    DecodeJob(opcodeStream, JobBytes::kOpcodes, list);
}

}  // namespace jobscan
