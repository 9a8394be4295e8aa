// The program-wide settings records that "config" carries, with their built-in defaults, and the job
// frame that job output fills. One global instance of each lives for the whole run.
#pragma once

#include "Archive.h"
#include "DbList.h"
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

    // The offset repay of the reverse-interval table for a scan speed: 0 for a speed of 0 or less, with
    // the switch off or without rows; the last row's beyond the table. Sorts the rows by speed first.
    double LookupOffsetRepay(double speedMmPerS);

  private:
    void SerializeFieldsOfBothLayouts(platform::Archive& archive);
    void SerializeRows(platform::Archive& archive);
};

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

extern GeneralSettings gGeneralSettings;
extern OutputOptions gOutputOptions;
extern FileParaSettings gFileParaSettings;
extern ProcessCtrlSettings gProcessCtrlSettings;
extern OptimSettings gOptimSettings;
extern JobFrame gJobFrame;
