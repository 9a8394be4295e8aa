// The accepted range of every machine parameter, in one place: the loading of both file forms checks
// against it, and the machine settings pages take their bounds from it.
#pragma once

#include "FieldInfo.h"

namespace para_range {

// kSwitch, Choice, kPercent, kAnyWord32 and kAmount, the bound of the speeds, accelerations, delays
// and distances of the user's motion where nothing narrower is set.
using namespace field_range;

// Axis drives. A step length typed on the axis page is at least 0.01 µm, but the motor step
// calculation may give 0.001, and what the program sets it must read back.
constexpr ParaRange kStepLengthUm{0.001, 1000, false};
constexpr ParaRange kBreadthMm{0.1, 1000000, false};
constexpr ParaRange kHomeOffsetMm{0, 100000, false};
constexpr ParaRange kJumpOffSpeedMmPerS{0.001, 200, false};
constexpr ParaRange kMaxSpeedMmPerS{0.1, 10000, false};
constexpr ParaRange kMaxAccMmPerS2{0.001, 100000, false};
constexpr ParaRange kEstopAccMmPerS2{0.1, 100000, false};
constexpr ParaRange kKeyJumpOffSpeedMmPerS{0.1, 1000, false};
constexpr ParaRange kKeyAccMmPerS2{0.1, 100000, false};

// Lasers.
constexpr ParaRange kAttenuationPercent{0, 99, false};
constexpr ParaRange kPwmFrequency{0, 1000, false};
// The laser page accepts up to 1000, but the built-in value is 5000, and a file written from the
// built-in values must load.
constexpr ParaRange kPreIgnitionFrequency{0, 5000, false};

// Machine.
constexpr ParaRange kPowerOffDelayMs{0, 3000, false};

// User motion.
constexpr ParaRange kFactorPercent{0, 200, true};
constexpr ParaRange kSpotSizePercent{50, 99, false};
constexpr ParaRange kBacklashMm{0, 1, false};
constexpr ParaRange kLineFeedRepayMm{0, 1, false};

}  // namespace para_range
