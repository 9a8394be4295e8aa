// The steps that every writer of a job body shares: Motionlink results, travel and cut moves in job
// coordinates, the pen axis, head speeds and powers, the seal and the small-circle speed limit.
#pragma once

#include <cstdint>
#include <optional>

#include "CadLayer.h"
#include "CadRect.h"
#include "DbList.h"
#include "FileLine.h"
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
