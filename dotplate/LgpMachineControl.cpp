#include "LgpMachineControl.h"

#include <array>

#include "LgpDesigner.h"
#include "LgpJobFrame.h"
#include "LgpLink.h"
#include "Motionlink.h"

namespace dotplate {

namespace {

// Closes the controller when it goes.
struct OpenController {
    ~OpenController() { Zint_Close(); }
};

void AddMove(std::vector<LgpAxisMove>& moves, std::uint32_t axis, double distance, std::uint32_t mode) {
    if (distance != 0.0) {
        moves.push_back({axis, distance, mode});
    }
}

// X then Y, from one point to the next.
void AddStep(std::vector<LgpAxisMove>& moves, SDPoint from, SDPoint to, std::uint32_t mode) {
    AddMove(moves, kAxisX, to.x - from.x, mode);
    AddMove(moves, kAxisY, to.y - from.y, mode);
}

}  // namespace

LgpControlResult PauseOrResume(CLgpLink& link, bool paused) {
    if (link.Open() != 0) {
        return LgpControlResult::kCommunicationError;
    }
    OpenController controller;
    const std::uint16_t status = paused ? Zint_RestoreProcess() : Zint_PauseProcess();
    return status == 0 ? LgpControlResult::kDone : LgpControlResult::kFailed;
}

LgpControlResult StopProcessing(CLgpLink& link) {
    if (link.Open() != 0) {
        return LgpControlResult::kCommunicationError;
    }
    OpenController controller;
    return Zint_StopProcess() == 0 ? LgpControlResult::kDone : LgpControlResult::kFailed;
}

std::vector<LgpAxisMove> FrameMoves(const LgpBox& plate, double blankMm, std::uint16_t originCorner,
                                    std::uint16_t headPosition, bool cut) {
    const LgpBox frame{plate.left - blankMm, plate.bottom - blankMm, plate.right + blankMm,
                       plate.top + blankMm};
    const LgpJobBox box = LgpJobFrame::For(frame, originCorner, headPosition).JobBox();
    const std::array<SDPoint, 5> corners{SDPoint{box.left, box.top}, SDPoint{box.right, box.top},
                                         SDPoint{box.right, box.bottom}, SDPoint{box.left, box.bottom},
                                         SDPoint{box.left, box.top}};
    std::vector<LgpAxisMove> moves;
    AddStep(moves, {0.0, 0.0}, corners[0], kMoveLaserOff);
    for (std::size_t i = 1; i < corners.size(); ++i) {
        AddStep(moves, corners[i - 1], corners[i], cut ? kMoveLaserOn : kMoveLaserOff);
    }
    AddStep(moves, corners[0], {0.0, 0.0}, kMoveLaserOff);
    return moves;
}

LgpControlResult RunFrame(CLgpLink& link, const LgpBox& plate, const LgpFrameSettings& settings,
                          std::uint16_t originCorner, std::uint16_t headPosition, bool cut) {
    if (link.Open() != 0) {
        return LgpControlResult::kCommunicationError;
    }
    OpenController controller;
    // The controller must know where the head is and how far the axes reach before it moves them.
    for (std::uint32_t axis : {kAxisX, kAxisY}) {
        std::int32_t position = 0;
        double range = 0.0;
        if (Zint_GetAxisPrfPos(axis, &position) != 0 || Zint_GetAxisRange(axis, &range) != 0) {
            return LgpControlResult::kFailed;
        }
    }
    if (Zint_SetEngVel(settings.speed) != 0 ||
        Zint_ExSetMinPower(settings.minPower, settings.minPower, 0) != 0 ||
        Zint_ExSetMaxPower(settings.maxPower, settings.maxPower, 0) != 0) {
        return LgpControlResult::kFailed;
    }
    for (const LgpAxisMove& move : FrameMoves(plate, settings.blank, originCorner, headPosition, cut)) {
        if (Zint_AxisMove(move.axis, move.distanceMm, 0, 0, move.mode) != 0) {
            return LgpControlResult::kFailed;
        }
    }
    return LgpControlResult::kDone;
}

}  // namespace dotplate
