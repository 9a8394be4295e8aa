// One record of a decoded job in the bulk form: the reader's commands in a flat array, where a cut
// with a power ramp stays one record instead of the twenty that the list form holds.
#pragma once

#include <cstdint>

#include "JobCommand.h"

namespace jobscan {

struct JobRecord {
    // Every JobCommand kind keeps its number and its meaning of a and b; kPowerRamp is the one kind of
    // the bulk form alone.
    static constexpr std::uint16_t kPowerRamp = 13;

    std::uint16_t kind = JobCommand::Speed;
    // kPowerRamp only: start and end power in the job's power units (16383 is full power) and the
    // position the cut starts from, in micrometres.
    std::uint16_t startPower = 0;
    std::uint16_t endPower = 0;
    std::int32_t fromXUm = 0;
    std::int32_t fromYUm = 0;
    // As in JobCommand; for kPowerRamp the cut's target x and y in micrometres.
    double a = 0.0;
    double b = 0.0;
};
static_assert(sizeof(JobRecord) == 32, "the bulk form is an array the preview walks; keep it compact");

}  // namespace jobscan
