// Test helpers for job commands: copying a reader list into a vector, exact comparison and printing.
#pragma once

#include <cstdint>
#include <filesystem>
#include <ostream>
#include <span>
#include <vector>

#include "DbList.h"
#include "JobCommand.h"

// Exact: the reader's values are computed by fixed formulas, so equal inputs give equal bits.
inline bool operator==(const JobCommand& left, const JobCommand& right) {
    return left.kind == right.kind && left.a == right.a && left.b == right.b;
}

namespace jobscan::testing {

std::vector<JobCommand> ToVector(const CDbList<JobCommand>& list);

// The twenty records of a ramped cut from (x0, y0) to (x1, y1) micrometres with power p0 to p1.
std::vector<JobCommand> Ramp(double x0, double y0, double x1, double y1, double p0, double p1);

// Five 7-bit groups of a signed 32-bit number, most significant first.
std::vector<std::uint8_t> AbsoluteGroups(std::int32_t value);

// Writes an opcode stream as a job file: every byte in its stored form.
void WriteOpcodeStreamAsJobFile(const std::filesystem::path& file,
                                std::span<const std::uint8_t> opcodeStream);

}  // namespace jobscan::testing

void PrintTo(const JobCommand& command, std::ostream* out);
