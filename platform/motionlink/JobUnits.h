// Conversions from the units callers pass to the job writer (mm, mm/s, s, ms, percent, fraction) into
// the integer units of the job stream. Values are rounded half away from zero; a value that is not
// finite or does not fit gives nothing, so that a bad number fails its call instead of writing garbage.
#pragma once

#include <cstdint>
#include <optional>

namespace motionlink {

std::optional<std::int32_t> MillimetresToMicrometres(double millimetres);
// Speeds and durations are never negative.
std::optional<std::int32_t> SpeedToMicrometresPerSecond(double millimetresPerSecond);
std::optional<std::int32_t> SecondsToMicroseconds(double seconds);
// Laser delays may be negative (a laser switched on before the move starts).
std::optional<std::int32_t> MillisecondsToMicroseconds(double milliseconds);
// Power levels run from 0 to 16383 (full power).
std::optional<std::uint16_t> PercentToPowerLevel(double percent);
std::optional<std::uint16_t> FractionToPowerLevel(double fraction);

}  // namespace motionlink
