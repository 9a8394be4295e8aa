// Job file sink: collects the job and writes it in one atomic step at the job's end.
#include "JobFileSink.h"

#include <utility>

#include "AtomicFile.h"

namespace motionlink {

JobFileSink::JobFileSink(std::filesystem::path path) : path_(std::move(path)) {}

JobStatus JobFileSink::Write(std::span<const std::uint8_t> storedBytes) {
    bytes_.insert(bytes_.end(), storedBytes.begin(), storedBytes.end());
    return kJobOk;
}

JobStatus JobFileSink::Finish() {
    return platform::WriteFileAtomically(path_, bytes_) ? kJobOk : kJobWriteFailed;
}

}  // namespace motionlink
