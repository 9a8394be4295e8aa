// What the output panel does on the machine besides sending jobs: pausing, resuming and stopping the
// job that runs, and running or cutting along the plate's frame. Each opens the controller through
// the link and leaves it closed on every path.
#pragma once

#include <cstdint>
#include <vector>

#include "LgpGeometry.h"

namespace dotplate {

class CLgpLink;
struct LgpFrameSettings;

enum class LgpControlResult {
    kDone,
    kCommunicationError,  // the controller could not be opened
    kFailed,              // it refused the call, or a frame step failed
};

// Pauses the running job, or resumes it when the machine reports it paused.
LgpControlResult PauseOrResume(CLgpLink& link, bool paused);
LgpControlResult StopProcessing(CLgpLink& link);

// One relative axis move: axis 1 is X, 2 is Y; mode 2 moves with the laser off, 3 cuts.
struct LgpAxisMove {
    std::uint32_t axis = 1;
    double distanceMm = 0.0;
    std::uint32_t mode = 2;
    bool operator==(const LgpAxisMove&) const = default;
};
inline constexpr std::uint32_t kAxisX = 1;
inline constexpr std::uint32_t kAxisY = 2;
inline constexpr std::uint32_t kMoveLaserOff = 2;
inline constexpr std::uint32_t kMoveLaserOn = 3;

// The frame run from the head's position: to the first corner of the frame with the laser off, once
// round the frame (cutting with `cut`), and back. The frame is the plate box grown by the blank on
// every side, placed as a job of that box is placed; moves of length 0 are left out.
std::vector<LgpAxisMove> FrameMoves(const LgpBox& plate, double blankMm, std::uint16_t originCorner,
                                    std::uint16_t headPosition, bool cut);

// Runs the frame on the machine at the frame settings' speed and powers.
LgpControlResult RunFrame(CLgpLink& link, const LgpBox& plate, const LgpFrameSettings& settings,
                          std::uint16_t originCorner, std::uint16_t headPosition, bool cut);

}  // namespace dotplate
