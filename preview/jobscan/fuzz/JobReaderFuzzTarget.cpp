// Fuzz target for the job reader: any bytes, taken as a stored job, go through the byte transform and
// the decoding walk. Besides not crashing, the walk must keep its bounds: a known kind for every
// record, finite values, and at most four records per input byte (a ramp's twenty from a five-byte cut).
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "ByteTransform.h"
#include "JobStreamWalker.h"

namespace {

constexpr std::size_t kMaxRecordsPerByte = 4;
constexpr std::uint16_t kLastKind = JobCommand::AxisMove;

void CheckRecords(const CDbList<JobCommand>& list, std::size_t inputSize) {
    std::size_t records = 0;
    for (const auto* node = list.head->next; node != list.head; node = node->next) {
        const JobCommand& command = node->value;
        if (command.kind > kLastKind || !std::isfinite(command.a) || !std::isfinite(command.b)) {
            std::abort();
        }
        ++records;
    }
    if (records > kMaxRecordsPerByte * inputSize) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::uint8_t> stream(data, data + size);
    for (std::uint8_t& byte : stream) {
        byte = motionlink::OpcodeByteFromStored(byte);
    }
    CDbList<JobCommand> list;
    jobscan::WalkJobStream(stream, &list);
    CheckRecords(list, size);
    return 0;
}
