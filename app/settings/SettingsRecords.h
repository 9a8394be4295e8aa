// The program-wide settings records that "config" carries, with their built-in defaults, and the job
// frame that job output fills. One global instance of each lives for the whole run.
#pragma once

#include "Archive.h"
#include "DbList.h"
#include "FieldInfo.h"
#include "JobFrame.h"
#include "SettingsRows.h"

#include <cstdint>

// General page: mirroring, laser head position, laser on/off repay and small-circle speed limits.
struct GeneralSettings {
    std::uint32_t xMirror = 1;
    std::uint32_t yMirror = 1;
    // One of nine positions of a 3 x 3 grid, row by row from the top left (4 is the centre).
    std::uint16_t laserHeadPosition = 2;
    std::uint32_t onOffRepayOn = 0;
    double laserOnRepayMm = 0.0;
    double startEnergyPercent = 0.0;
    double laserOffRepayMm = 0.0;
    std::uint32_t speedLimitOn = 0;
    CDbList<SpeedLimitRow> speedLimits;  // ascending by diameter

    // Fills the six default speed-limit rows.
    GeneralSettings();
    // The eight fields and the rows, in the order of "config"; a loaded row count of 0 or less keeps
    // the rows already there.
    void Serialize(platform::Archive& archive);
};

// Ranges of the settings pages where they bound a value; "config" is read as it is.
namespace settings_range {
using namespace field_range;
constexpr ParaRange kRepayMm{-10, 10, false};
constexpr ParaRange kFractionOfOne{0, 1, false};
constexpr ParaRange kPositiveAmount{0.001, kUnbounded, false};
}  // namespace settings_range

// The fields before the speed-limit rows, in stored order.
template <RecordOf<GeneralSettings> Record, typename Visit>
void VisitFields(Record& r, Visit&& visit) {
    using namespace settings_range;
    visit(FieldInfo{"xMirror", "", kSwitch}, r.xMirror);
    visit(FieldInfo{"yMirror", "", kSwitch}, r.yMirror);
    visit(FieldInfo{"laserHeadPosition", "", Choice(8)}, r.laserHeadPosition);
    visit(FieldInfo{"onOffRepayOn", "", kSwitch}, r.onOffRepayOn);
    visit(FieldInfo{"laserOnRepayMm", "mm", kRepayMm, 3}, r.laserOnRepayMm);
    visit(FieldInfo{"startEnergyPercent", "%", kPercent, 1}, r.startEnergyPercent);
    visit(FieldInfo{"laserOffRepayMm", "mm", kRepayMm, 3}, r.laserOffRepayMm);
    visit(FieldInfo{"speedLimitOn", "", kSwitch}, r.speedLimitOn);
}

constexpr std::uint16_t kLastLaserHeadPosition = 8;
constexpr std::uint16_t kCentreLaserHeadPosition = 4;
// A position outside the grid becomes the centre, as the general page shows it.
std::uint16_t ClampLaserHeadPosition(std::uint16_t position);

// Output options: array direction, reverse intervals, feeding, rotary engraving, second laser offset.
struct OutputOptions {
    std::uint16_t arrayDirection = 0;  // 0..3
    std::uint32_t reverseIntervalOn = 0;
    CDbList<ReverseIntervalRow> reverseIntervals;  // ascending by speed
    std::uint32_t feedingOn = 0;
    std::int32_t feedingCount = 0;
    double feedingDistanceMm = 500.0;
    std::uint32_t rotateEngraveOn = 0;
    double rotaryDiameterMm = 20.0;
    double circlePulse = 1000.0;  // pulses per turn of the rotary axis
    double laser2OffsetXMm = 0.0;
    double laser2OffsetYMm = 0.0;
    std::uint32_t laser2OffsetOn = 0;

    // The current layout, in either direction. Loaded rows are appended to those already there and the
    // table is sorted again.
    void Serialize(platform::Archive& archive);
    // The older layout, without the second laser's offset and the reverse-interval switch.
    void SerializeOld(platform::Archive& archive);
    static constexpr int kOlderLayout = 0;
    static constexpr int kCurrentLayout = 1;

    // The offset repay of the reverse-interval table for a scan speed: 0 for a speed of 0 or less, with
    // the switch off or without rows; the last row's beyond the table. Sorts the rows by speed first.
    double LookupOffsetRepay(double speedMmPerS);

  private:
    void SerializeRows(platform::Archive& archive);
};

// The fields before the reverse-interval rows, in stored order; the current layout (1) adds the second
// laser's offset and the reverse-interval switch after the fields of both layouts.
template <RecordOf<OutputOptions> Record, typename Visit>
void VisitFields(Record& r, Visit&& visit) {
    using namespace settings_range;
    visit(FieldInfo{"arrayDirection", "", Choice(3)}, r.arrayDirection);
    visit(FieldInfo{"feedingOn", "", kSwitch}, r.feedingOn);
    visit(FieldInfo{"feedingCount", "", kAnySigned32}, r.feedingCount);
    visit(FieldInfo{"feedingDistanceMm", "mm", kAmount, 3}, r.feedingDistanceMm);
    visit(FieldInfo{"rotateEngraveOn", "", kSwitch}, r.rotateEngraveOn);
    visit(FieldInfo{"rotaryDiameterMm", "mm", kPositiveAmount, 3}, r.rotaryDiameterMm);
    visit(FieldInfo{"circlePulse", "", kPositiveAmount, 0}, r.circlePulse);
    visit(FieldInfo{.key = "laser2OffsetXMm", .unit = "mm", .range = kSigned, .decimals = 3, .sinceLayout = 1},
          r.laser2OffsetXMm);
    visit(FieldInfo{.key = "laser2OffsetYMm", .unit = "mm", .range = kSigned, .decimals = 3, .sinceLayout = 1},
          r.laser2OffsetYMm);
    visit(FieldInfo{.key = "laser2OffsetOn", .range = kSwitch, .sinceLayout = 1}, r.laser2OffsetOn);
    visit(FieldInfo{.key = "reverseIntervalOn", .range = kSwitch, .sinceLayout = 1}, r.reverseIntervalOn);
}

// Import and export of drawing files.
struct FileParaSettings {
    std::uint16_t pltPrecision = 1016;
    std::uint32_t smoothCurves = 0;
    double smoothPrecision = 0.3;  // fraction
    std::uint32_t autoClose = 1;
    double closeErrorMm = 0.1;
    std::uint32_t flagAfterCloseError = 1;  // stored only
    std::uint32_t combineLines = 1;
    double combineErrorMm = 0.1;
    double exportPrecision = 0.8;    // fraction
    std::uint16_t velocityUnit = 1;  // 0 m/min, 1 mm/s; speeds are always stored in mm/s
    std::uint32_t autoGreyScale = 1;
    std::uint32_t importDxfText = 0;
    std::uint16_t dxfUnit = 0;  // 0 mm, 1 cm, 2 inch, 3 custom
    double dxfScale = 1.0;      // millimetres per DXF unit

    // The fields in the order of "config"; after loading, the DXF scale follows the DXF unit.
    void Serialize(platform::Archive& archive);
};

template <RecordOf<FileParaSettings> Record, typename Visit>
void VisitFields(Record& r, Visit&& visit) {
    using namespace settings_range;
    visit(FieldInfo{"pltPrecision", "", kAnyWord16}, r.pltPrecision);
    visit(FieldInfo{"exportPrecision", "", kFractionOfOne, 3}, r.exportPrecision);
    visit(FieldInfo{"velocityUnit", "", kSwitch}, r.velocityUnit);
    visit(FieldInfo{"smoothCurves", "", kSwitch}, r.smoothCurves);
    visit(FieldInfo{"smoothPrecision", "", kFractionOfOne, 3}, r.smoothPrecision);
    visit(FieldInfo{"autoClose", "", kSwitch}, r.autoClose);
    visit(FieldInfo{"closeErrorMm", "mm", kAmount, 3}, r.closeErrorMm);
    visit(FieldInfo{"flagAfterCloseError", "", kAnyWord32}, r.flagAfterCloseError);
    visit(FieldInfo{"combineLines", "", kSwitch}, r.combineLines);
    visit(FieldInfo{"combineErrorMm", "mm", kAmount, 3}, r.combineErrorMm);
    visit(FieldInfo{"autoGreyScale", "", kSwitch}, r.autoGreyScale);
    visit(FieldInfo{"importDxfText", "", kSwitch}, r.importDxfText);
    visit(FieldInfo{"dxfUnit", "", Choice(3)}, r.dxfUnit);
    visit(FieldInfo{"dxfScale", "mm", kPositiveAmount, 3}, r.dxfScale);
}

constexpr double kMmPerSPerMPerMin = 16.666666666666668;

// Process-control panel, its axis jog page and its cut-frame settings.
struct ProcessCtrlSettings {
    std::uint16_t positionChoice = 0;
    double jogOffsetMm = 10.0;
    double jogSpeedMmPerS = 50.0;
    double jogPowerPercent = 0.0;
    std::uint32_t moveFromOrigin = 0;
    std::uint32_t jogWithLight = 0;
    double cutFrameSpeedMmPerS = 0.0;
    double cutFrameMinPowerPercent = 0.0;
    double cutFrameMaxPowerPercent = 100.0;
    double cutFrameBlankMm = 0.0;
    std::uint32_t outputSelectedOnly = 0;
    std::uint32_t pathOptimise = 1;
    std::uint32_t absoluteCoordinate = 0;
    std::uint32_t dualHeadAutoLayout = 0;
    double headDistanceMm = 100.0;

    void Serialize(platform::Archive& archive);
};

template <RecordOf<ProcessCtrlSettings> Record, typename Visit>
void VisitFields(Record& r, Visit&& visit) {
    using namespace settings_range;
    visit(FieldInfo{"positionChoice", "", kAnyWord16}, r.positionChoice);
    visit(FieldInfo{"jogOffsetMm", "mm", kAmount, 3}, r.jogOffsetMm);
    visit(FieldInfo{"jogSpeedMmPerS", "mm/s", kAmount, 3}, r.jogSpeedMmPerS);
    visit(FieldInfo{"jogPowerPercent", "%", kPercent, 1}, r.jogPowerPercent);
    visit(FieldInfo{"moveFromOrigin", "", kSwitch}, r.moveFromOrigin);
    visit(FieldInfo{"jogWithLight", "", kSwitch}, r.jogWithLight);
    visit(FieldInfo{"cutFrameSpeedMmPerS", "mm/s", kAmount, 3}, r.cutFrameSpeedMmPerS);
    visit(FieldInfo{"cutFrameMinPowerPercent", "%", kPercent, 1}, r.cutFrameMinPowerPercent);
    visit(FieldInfo{"cutFrameMaxPowerPercent", "%", kPercent, 1}, r.cutFrameMaxPowerPercent);
    visit(FieldInfo{"cutFrameBlankMm", "mm", kAmount, 3}, r.cutFrameBlankMm);
    visit(FieldInfo{"outputSelectedOnly", "", kSwitch}, r.outputSelectedOnly);
    visit(FieldInfo{"pathOptimise", "", kSwitch}, r.pathOptimise);
    visit(FieldInfo{"absoluteCoordinate", "", kSwitch}, r.absoluteCoordinate);
    visit(FieldInfo{"dualHeadAutoLayout", "", kSwitch}, r.dualHeadAutoLayout);
    visit(FieldInfo{"headDistanceMm", "mm", kAmount, 3}, r.headDistanceMm);
}

// Cutting-order optimisation.
struct OptimSettings {
    std::uint32_t orderOfLayer = 0;
    std::uint32_t insideToOutside = 1;
    std::uint32_t word3 = 1;                // stored only
    std::uint32_t word4 = 0;                // stored only
    std::uint16_t insideToOutsideMode = 0;  // 0 single inner to outer, 1 also finds the cutting port
    double blockHeightMm = 50.0;
    std::uint16_t blockDirection = 0;  // 0 up to bottom, 1 bottom to up, 2 left to right, 3 right to left
    std::uint32_t backlashRepayOptimise = 0;
    std::uint32_t autoStartPointAndDirection = 1;
    std::uint32_t startPointOptimise = 0;

    void Serialize(platform::Archive& archive);
};

template <RecordOf<OptimSettings> Record, typename Visit>
void VisitFields(Record& r, Visit&& visit) {
    using namespace settings_range;
    visit(FieldInfo{"orderOfLayer", "", kSwitch}, r.orderOfLayer);
    visit(FieldInfo{"insideToOutside", "", kSwitch}, r.insideToOutside);
    visit(FieldInfo{"word3", "", kAnyWord32}, r.word3);
    visit(FieldInfo{"word4", "", kAnyWord32}, r.word4);
    visit(FieldInfo{"insideToOutsideMode", "", kSwitch}, r.insideToOutsideMode);
    visit(FieldInfo{"blockHeightMm", "mm", kPositiveAmount, 3}, r.blockHeightMm);
    visit(FieldInfo{"blockDirection", "", Choice(3)}, r.blockDirection);
    visit(FieldInfo{"backlashRepayOptimise", "", kSwitch}, r.backlashRepayOptimise);
    visit(FieldInfo{"autoStartPointAndDirection", "", kSwitch}, r.autoStartPointAndDirection);
    visit(FieldInfo{"startPointOptimise", "", kSwitch}, r.startPointOptimise);
}

extern GeneralSettings gGeneralSettings;
extern OutputOptions gOutputOptions;
extern FileParaSettings gFileParaSettings;
extern ProcessCtrlSettings gProcessCtrlSettings;
extern OptimSettings gOptimSettings;
extern JobFrame gJobFrame;
