#include "OutputSteps.h"

#include <algorithm>
#include <cmath>

#include "JobBuilder.h"
#include "MotionlinkJob.h"
#include "SettingsRecords.h"
#include "SettingsRows.h"

namespace joboutput {

namespace {

constexpr std::uint32_t kPenAxis = 3;
// Beyond the table's largest diameter the last row still limits a contour up to this much larger.
constexpr double kLastRowReachMm = 0.1;

}  // namespace

double HeadSpeed(double speed, std::int32_t useDefault) {
    return useDefault != 0 ? 0.0 : std::max(speed, kLowestHeadSpeed);
}

bool WriteHeadPowers(double min1, double max1, double min2, double max2, std::int32_t useDefault) {
    auto sent = [useDefault](double percent) {
        return useDefault != 0 ? 0.0 : std::max(percent, kLowestHeadPower);
    };
    return Ok(Zint_ExwSetMinPower(sent(min1), sent(min2), 1)) &&
           Ok(Zint_ExwSetMaxPower(sent(max1), sent(max2), 1));
}

bool MoveTo(SDPoint point, std::int32_t* stateA, std::int32_t* stateB) {
    double x = 0.0;
    double y = 0.0;
    ToJobCoord(point.x, point.y, &x, &y);
    return Ok(Zint_wMoveTo(stateA, stateB, x, y));
}

bool LineTo(SDPoint point, std::int32_t* stateA, std::int32_t* stateB) {
    double x = 0.0;
    double y = 0.0;
    ToJobCoord(point.x, point.y, &x, &y);
    return Ok(Zint_wLineTo(stateA, stateB, x, y));
}

PenAxis PenAxis::Of(const LayerCommonParams& params) {
    return {params.COM_EnZ, params.COM_EnZDown, params.COM_EnZUp, params.COM_ZDownPos, params.COM_ZUpPos};
}

bool PenAxis::Down() const {
    return enabled == 0 || downEnabled == 0 || Ok(Zint_wAxisMove(kPenAxis, downPosition, 0, 0, 0));
}

bool PenAxis::Up() const {
    return enabled == 0 || upEnabled == 0 || Ok(Zint_wAxisMove(kPenAxis, upPosition, 0, 0, 0));
}

bool WriteSeal(const CDbList<CFileLine>& segments, double seal, std::int32_t* stateA, std::int32_t* stateB) {
    double run = 0.0;
    for (auto* node = segments.head->next; node != segments.head && run < seal; node = node->next) {
        const CFileLine& segment = node->value;
        const double length = SegmentLength(segment);
        if (run + length > seal) {
            return LineTo(PointAlong(segment, (seal - run) / length), stateA, stateB);
        }
        if (!LineTo(segment.end, stateA, stateB)) {
            return false;
        }
        run += length;
    }
    return true;
}

std::optional<double> SpeedLimitFor(const CCadRect& rect, bool closed, std::int32_t defaultSpeed,
                                    double blockSpeed) {
    const double width = std::fabs(rect.x2 - rect.x1);
    const double height = std::fabs(rect.y2 - rect.y1);
    CDbList<SpeedLimitRow>& rows = gGeneralSettings.speedLimits;
    if (width <= 0.0 || height <= 0.0 || defaultSpeed != 0 || !closed || gGeneralSettings.speedLimitOn == 0 ||
        rows.IsEmpty() != 0) {
        return std::nullopt;
    }
    const double diameter = std::max(width, height);
    SortAscending(rows);
    std::optional<double> limit =
        LookupAscending(rows, diameter, &SpeedLimitRow::diameterMm, &SpeedLimitRow::speedMmPerS);
    if (!limit) {
        const SpeedLimitRow& last = rows.head->prev->value;
        if (last.diameterMm + kLastRowReachMm > diameter) {
            limit = last.speedMmPerS;
        }
    }
    if (!limit || *limit <= 0.0 || *limit >= blockSpeed) {
        return std::nullopt;
    }
    return limit;
}

bool WriteSpeedLimit(double speed) {
    return Ok(Zint_wSetEngVel(speed)) && Ok(Zint_wSetForceEngVel(speed));
}

double SegmentLength(const CFileLine& segment) {
    return std::hypot(segment.end.x - segment.start.x, segment.end.y - segment.start.y);
}

SDPoint PointAlong(const CFileLine& segment, double fraction) {
    return {segment.start.x + (segment.end.x - segment.start.x) * fraction,
            segment.start.y + (segment.end.y - segment.start.y) * fraction};
}

}  // namespace joboutput
