// The job reader's decoder: one forward pass over the bytes of a job, with no look-back, in two
// output forms: the list of JobCommand records that Zint_ReadZintFile hands over, and the bulk form,
// a flat array of JobRecord in which a ramped cut stays one record.
//
// Decoding stops at the end opcode or the end of the data. Unknown bytes are skipped one at a time; a
// command whose operands would run past the data ends the walk without a record.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "DbList.h"
#include "JobCommand.h"
#include "JobRecord.h"

namespace jobscan {

// Which bytes the span holds: a stored job (file or controller bytes, before the byte transform) or
// the opcode stream (after it).
enum class JobBytes { kStored, kOpcodes };

// Bulk form: `records` is emptied (its capacity kept, so that a caller decoding job after job reuses
// one buffer) and filled.
void DecodeJob(std::span<const std::uint8_t> bytes, JobBytes form, std::vector<JobRecord>& records);

// Bulk form of the job file at `path` (UTF-8), as Zint_ReadZintFile reads it: false, with `records`
// untouched, when the file cannot be opened or held in memory. Throws std::bad_alloc when the records
// do not fit in memory.
bool ReadJobRecords(const char* path, std::vector<JobRecord>& records);

// List form: the records are appended to `list`, a ramp as its twenty steps. A list without a sentinel
// receives nothing. Throws std::bad_alloc when memory runs out; the list keeps what was appended.
void DecodeJob(std::span<const std::uint8_t> bytes, JobBytes form, CDbList<JobCommand>* list);

// The list records that one bulk record stands for: the record itself, or a ramp's twenty steps, each
// carrying one tenth more of the power change and of the way. The values are bit for bit those of the
// list form.
template <typename Emit>
void ExpandRecord(const JobRecord& record, Emit&& emit) {
    if (record.kind != JobRecord::kPowerRamp) {
        emit(JobCommand{record.kind, record.a, record.b});
        return;
    }
    constexpr double kFullPower = 16383.0;
    constexpr double kMillimetresPerUnit = 0.001;
    constexpr int kRampSteps = 10;
    const double startPower = record.startPower / kFullPower;
    const double deltaPower = record.endPower / kFullPower - startPower;
    const std::int32_t fromX = record.fromUm[0];
    const std::int32_t fromY = record.fromUm[1];
    const double deltaX = static_cast<double>(record.toUm[0]) - fromX;
    const double deltaY = static_cast<double>(record.toUm[1]) - fromY;
    for (int step = 1; step <= kRampSteps; ++step) {
        emit(JobCommand{JobCommand::Power, (step * deltaPower) * 0.1 + startPower, 0.0});
        emit(JobCommand{JobCommand::Cut, (deltaX * step * 0.1 + fromX) * kMillimetresPerUnit,
                        (deltaY * step * 0.1 + fromY) * kMillimetresPerUnit});
    }
}

}  // namespace jobscan
