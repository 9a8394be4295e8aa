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
constexpr std::uint8_t kSweepCutStartMode = 6;
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

LayerHead LayerHead::Of(const LayerOutputRecord::Common& common, std::uint16_t layerNumber) {
    LayerHead head;
    head.layerNumber = layerNumber;
    head.blower = common.blower;
    head.speed = common.speed;
    head.defaultSpeed = common.defaultSpeed;
    head.zEnabled = common.zEnabled;
    head.zSpeed = common.zSpeed;
    head.minPower1 = common.minPower1;
    head.maxPower1 = common.maxPower1;
    head.minPower2 = common.minPower2;
    head.maxPower2 = common.maxPower2;
    head.defaultPower = common.defaultPower;
    head.laser1Enabled = common.laser1Enabled;
    head.laser2Enabled = common.laser2Enabled;
    head.extendedIo = common.extendedIo;
    return head;
}

namespace {

bool WriteHeadStep(const LayerHead& head, HeadStep step) {
    switch (step) {
        case HeadStep::SweepCutStart:
            return Ok(Zint_wSetWorkMode(kSweepCutStartMode));
        case HeadStep::WorkMode:
            return Ok(Zint_wSetWorkMode(head.workMode));
        case HeadStep::LayerNumber:
            return Ok(Zint_wSetLayerNum(static_cast<std::uint8_t>(head.layerNumber - 1)));
        case HeadStep::Device:
            return Ok(Zint_wSetLayerDevice(head.device));
        case HeadStep::Blower:
            return Ok(Zint_wSetLayerBlower(static_cast<std::uint32_t>(head.blower)));
        case HeadStep::Speed:
            return Ok(Zint_wSetEngVel(HeadSpeed(head.speed, head.defaultSpeed)));
        case HeadStep::AxisSpeed:
            return head.zEnabled == 0 || Ok(Zint_wSetAxisVel(head.zSpeed));
        case HeadStep::LaserDelays:
            return Ok(head.laserOn.second ? Zint_wLaserOn2(head.laserOn.ms)
                                          : Zint_wLaserOn(head.laserOn.ms)) &&
                   Ok(head.laserOff.second ? Zint_wLaserOff2(head.laserOff.ms)
                                           : Zint_wLaserOff(head.laserOff.ms));
        case HeadStep::Powers:
            return WriteHeadPowers(head.minPower1, head.maxPower1, head.minPower2, head.maxPower2,
                                   head.defaultPower);
        case HeadStep::LaserTubes:
            return Ok(Zint_wEnLaserTube(static_cast<std::uint32_t>(head.laser1Enabled),
                                        static_cast<std::uint32_t>(head.laser2Enabled)));
        case HeadStep::ExtendedIo:
            return Ok(Zint_wEnExIO(static_cast<std::uint32_t>(head.extendedIo), 0, 0, 0));
    }
    return false;
}

}  // namespace

bool WriteLayerHead(const LayerHead& head, std::span<const HeadStep> steps) {
    for (const HeadStep step : steps) {
        if (!WriteHeadStep(head, step)) {
            return false;
        }
    }
    return true;
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
