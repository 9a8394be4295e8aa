// Fuzz target for the job reader: any bytes, taken as a stored job, go through both forms of the
// decoder. Besides not crashing, the decoding must keep its bounds: a known kind for every record,
// finite values, at most four list records per input byte (a ramp's twenty from a five-byte cut), and
// the bulk form, expanded, equal to the list form bit for bit.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "JobDecoder.h"

namespace {

constexpr std::size_t kMaxRecordsPerByte = 4;
constexpr std::uint16_t kLastKind = JobCommand::AxisMove;

bool Same(const JobCommand& left, const JobCommand& right) {
    return left.kind == right.kind && left.a == right.a && left.b == right.b;
}

void CheckRecords(const CDbList<JobCommand>& list, std::span<const jobscan::JobRecord> bulk,
                  std::size_t inputSize) {
    std::vector<JobCommand> expanded;
    for (const jobscan::JobRecord& record : bulk) {
        jobscan::ExpandRecord(record, [&](const JobCommand& command) { expanded.push_back(command); });
    }
    std::size_t records = 0;
    for (const auto* node = list.head->next; node != list.head; node = node->next) {
        const JobCommand& command = node->value;
        if (command.kind > kLastKind || !std::isfinite(command.a) || !std::isfinite(command.b)) {
            std::abort();
        }
        if (records >= expanded.size() || !Same(command, expanded[records])) {
            std::abort();
        }
        ++records;
    }
    if (records != expanded.size() || records > kMaxRecordsPerByte * inputSize) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> stored(data, size);
    CDbList<JobCommand> list;
    jobscan::DecodeJob(stored, jobscan::JobBytes::kStored, &list);
    std::vector<jobscan::JobRecord> bulk;
    jobscan::DecodeJob(stored, jobscan::JobBytes::kStored, bulk);
    CheckRecords(list, bulk, size);
    return 0;
}
