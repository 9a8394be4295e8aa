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
    // kPowerRamp only: start and end power in the job's power units (16383 is full power).
    std::uint16_t startPower = 0;
    std::uint16_t endPower = 0;
    // As in JobCommand; for kPowerRamp instead the cut's start and target, x then y, in micrometres.
    union {
        double a = 0.0;
        std::int32_t fromUm[2];
    };
    union {
        double b = 0.0;
        std::int32_t toUm[2];
    };

    static JobRecord Ramp(std::uint16_t startPower, std::uint16_t endPower, std::int32_t fromXUm,
                          std::int32_t fromYUm, std::int32_t toXUm, std::int32_t toYUm) {
        JobRecord ramp;
        ramp.kind = kPowerRamp;
        ramp.startPower = startPower;
        ramp.endPower = endPower;
        ramp.fromUm[0] = fromXUm;
        ramp.fromUm[1] = fromYUm;
        ramp.toUm[0] = toXUm;
        ramp.toUm[1] = toYUm;
        return ramp;
    }
};
// The bulk form is an array the preview walks: kept to the size of a JobCommand.
static_assert(sizeof(JobRecord) == 24);

}  // namespace jobscan
