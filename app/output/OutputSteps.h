// The steps that every writer of a job body shares: Motionlink results, block heads, travel and cut moves
// in job coordinates, the pen axis, head speeds and powers, the seal and the small-circle speed limit.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "CadLayer.h"
#include "CadRect.h"
#include "DbList.h"
#include "FileLine.h"
#include "LayerOutputRecord.h"
#include "SDPoint.h"

namespace joboutput {

inline bool Ok(std::uint16_t status) {
    return status == 0;
}

inline int Result(bool written) {
    return written ? 1 : 0;
}

// Lowest values a block head sends, unless its default switch sends 0.
constexpr double kLowestHeadSpeed = 0.01;
constexpr double kLowestHeadPower = 0.1;

double HeadSpeed(double speed, std::int32_t useDefault);
// Zint_ExwSetMinPower and Zint_ExwSetMaxPower: each at least 0.1 %, all 0 with the default switch.
bool WriteHeadPowers(double min1, double max1, double min2, double max2, std::int32_t useDefault);

// What the controller is told about a layer before a block's paths. The heads of a cut, dot or pen
// layer, of a scan block and of a cut after sweeping all take this shape and are written by
// WriteLayerHead; only their values and the order of their commands differ, and that order is part of
// the job's bytes, so each kind's order is written down once below.
struct LayerHead {
    enum class Step : std::uint8_t {
        SweepCutStart,  // the work mode that opens a cut after sweeping, before the head's own
        WorkMode,
        LayerNumber,
        Device,
        Blower,
        Speed,
        AxisSpeed,  // only with the pen axis on
        LaserDelays,
        Powers,
        LaserTubes,
        ExtendedIo,
    };
    // A laser on or off delay, sent by the first or the second command of its pair.
    struct Delay {
        double ms = 0.0;
        bool second = false;
    };

    std::uint8_t workMode = 0;
    std::uint16_t layerNumber = 1;  // counted from 1; the controller counts from 0
    std::uint8_t device = 0;        // 1 the pen, 0 the laser
    std::int32_t blower = 0;
    double speed = 0.0;
    std::int32_t defaultSpeed = 0;
    std::int32_t zEnabled = 0;
    double zSpeed = 0.0;
    Delay laserOn;
    Delay laserOff;
    double minPower1 = 0.0;
    double maxPower1 = 0.0;
    double minPower2 = 0.0;
    double maxPower2 = 0.0;
    std::int32_t defaultPower = 0;
    std::int32_t laser1Enabled = 0;
    std::int32_t laser2Enabled = 0;
    std::int32_t extendedIo = 0;

    // The values every head takes from the layer's common part; no delays, the laser device.
    static LayerHead Of(const LayerOutputRecord::Common& common, std::uint16_t layerNumber);
};

using HeadStep = LayerHead::Step;
inline constexpr HeadStep kCutHeadSteps[] = {
    HeadStep::WorkMode,  HeadStep::LayerNumber, HeadStep::Device, HeadStep::Blower,     HeadStep::Speed,
    HeadStep::AxisSpeed, HeadStep::LaserDelays, HeadStep::Powers, HeadStep::LaserTubes, HeadStep::ExtendedIo};
inline constexpr HeadStep kSweepCutHeadSteps[] = {
    HeadStep::SweepCutStart, HeadStep::WorkMode,   HeadStep::LayerNumber, HeadStep::Device,
    HeadStep::Blower,        HeadStep::Speed,      HeadStep::LaserDelays, HeadStep::AxisSpeed,
    HeadStep::Powers,        HeadStep::LaserTubes, HeadStep::ExtendedIo};
// A scan head sends no extended output.
inline constexpr HeadStep kScanHeadSteps[] = {
    HeadStep::WorkMode, HeadStep::LayerNumber, HeadStep::Device,     HeadStep::Blower,   HeadStep::Speed,
    HeadStep::Powers,   HeadStep::LaserDelays, HeadStep::LaserTubes, HeadStep::AxisSpeed};

// The head's commands in the order given; false at the first that fails.
bool WriteLayerHead(const LayerHead& head, std::span<const HeadStep> steps);

// A travel move or a cut line to a drawing point, through ToJobCoord.
bool MoveTo(SDPoint point, std::int32_t* stateA, std::int32_t* stateB);
bool LineTo(SDPoint point, std::int32_t* stateA, std::int32_t* stateB);

// The pen (Z) axis around a path: moved to its down or up position when the axis and that move are on.
struct PenAxis {
    std::int32_t enabled = 0;
    std::int32_t downEnabled = 0;
    std::int32_t upEnabled = 0;
    double downPosition = 0.0;
    double upPosition = 0.0;

    static PenAxis Of(const LayerCommonParams& params);
    bool Down() const;
    bool Up() const;
};

// Cuts again over the start of the path: whole segments while the run stays within the seal, then the
// part of the next segment that makes the run equal to it. Never past the last segment.
bool WriteSeal(const CDbList<CFileLine>& segments, double seal, std::int32_t* stateA, std::int32_t* stateB);

// The small-circle speed limit of a closed contour with the given box, when it is to be written: the
// limit of the speed-limit table is above 0 and below the block speed. Nothing otherwise.
std::optional<double> SpeedLimitFor(const CCadRect& rect, bool closed, std::int32_t defaultSpeed,
                                    double blockSpeed);
// Zint_wSetEngVel then Zint_wSetForceEngVel.
bool WriteSpeedLimit(double speed);

// Length of a straight segment.
double SegmentLength(const CFileLine& segment);
// The point at a fraction of a straight segment.
SDPoint PointAlong(const CFileLine& segment, double fraction);

}  // namespace joboutput
