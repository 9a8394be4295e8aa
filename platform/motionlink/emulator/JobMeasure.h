// How long a job takes on the emulated machine and how far it travels, from the commands that the job
// reader decodes: travel moves at the idle speed, cuts at the last speed the job set, delays as given.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace motionlink::emulator {

struct JobMeasure {
    double durationS = 0;
    double laserOnS = 0;
    double travelXMm = 0;
    double travelYMm = 0;
    double endXMm = 0;
    double endYMm = 0;
};

// Measures the job given as stored bytes (a job file's bytes).
JobMeasure MeasureJob(std::span<const std::uint8_t> storedBytes, double idleSpeedMmPerS);

// The length of the job that the stored bytes begin with: up to and including the end command, or
// nothing when the end command has not come yet. Scanning starts at `from`.
std::optional<std::size_t> FindJobEnd(std::span<const std::uint8_t> storedBytes, std::size_t from = 0);

}  // namespace motionlink::emulator
