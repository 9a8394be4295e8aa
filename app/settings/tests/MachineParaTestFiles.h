// File images of the machine parameter records for the settings tests: the older form written field
// by field, from recognisable values or from a record.
#pragma once

#include "Archive.h"
#include "MachineParaRecords.h"

#include <cstdint>
#include <vector>

// A vendor record in the older form, field by field, with recognisable values.
inline std::vector<std::uint8_t> OlderVendorFile() {
    platform::Archive archive = platform::Archive::ForStoring();
    archive.WriteU32(77);
    for (int axis = 0; axis < 4; ++axis) {
        for (std::uint32_t flag : {1u, 1u, 0u, 1u, 1u, 0u}) {  // dir, limit, key invert, mode, limit on, home
            archive.WriteU32(flag);
        }
        for (int field = 0; field < 9; ++field) {  // step length ... home offset
            archive.WriteDouble(10.0 * axis + field + 0.5);
        }
    }
    archive.WriteU16(1);  // two tubes
    archive.WriteU32(2);  // RF with pre-ignition
    for (double value : {90.0, 10.0, 80.0, 20.0, 200.0, 300.0, 5.0}) {
        archive.WriteDouble(value);
    }
    for (std::uint32_t flag : {0u, 1u, 1u, 0u, 1u, 1u}) {
        archive.WriteU32(flag);
    }
    archive.WriteU16(2);  // machine type
    archive.WriteU16(1);  // feed mode
    archive.WriteDouble(1500.0);
    archive.WriteU16(3);  // transmission
    archive.WriteU16(1);  // Z feeding
    return archive.Bytes();
}

inline std::vector<std::uint8_t> OlderUserFile() {
    platform::Archive archive = platform::Archive::ForStoring();
    for (double value : {210.0, 3100.0, 21.0, 410.0, 3200.0}) {
        archive.WriteDouble(value);
    }
    archive.WriteU32(2);
    archive.WriteU32(1);
    for (double value : {11.0, 12.0, 11000.0, 3300.0, 110.0}) {
        archive.WriteDouble(value);
    }
    archive.WriteU32(1);
    archive.WriteDouble(85.0);
    archive.WriteDouble(25.0);
    for (std::uint32_t home : {0u, 1u, 1u, 0u}) {
        archive.WriteU32(home);
    }
    archive.WriteU16(2);
    archive.WriteDouble(3.0);
    archive.WriteU32(1);
    archive.WriteU32(2);
    archive.WriteDouble(1.5);
    archive.WriteDouble(250.0);
    archive.WriteU16(2);
    for (double value : {6.0, 0.2, 0.3, 12.0}) {  // focus depth, backlash X and Y, idle delay
        archive.WriteDouble(value);
    }
    archive.WriteU32(150);  // acceleration factor
    archive.WriteU32(160);  // speed factor
    archive.WriteU32(170);  // idle acceleration factor
    return archive.Bytes();
}

// The older form of a record, in the field order of the older form's reader.
inline std::vector<std::uint8_t> OlderVendorBytes(const CVendorPara& r) {
    platform::Archive archive = platform::Archive::ForStoring();
    archive << r.vendorWord;
    for (int axis = 0; axis < CVendorPara::kAxisCount; ++axis) {
        archive << r.dirPolarity[axis] << r.limitPolarity[axis] << r.keyDirInverted[axis]
                << r.controlMode[axis] << r.hardLimitOn[axis] << r.homingOn[axis];
        archive << r.stepLengthUm[axis] << r.maxSpeedMmPerS[axis] << r.jumpOffSpeedMmPerS[axis]
                << r.maxAccMmPerS2[axis] << r.breadthMm[axis] << r.keyJumpOffSpeedMmPerS[axis]
                << r.keyAccMmPerS2[axis] << r.estopAccMmPerS2[axis] << r.homeOffsetMm[axis];
    }
    archive << r.tubeConfig << r.laserType;
    archive << r.maxPower1Percent << r.minPower1Percent << r.maxPower2Percent << r.minPower2Percent
            << r.pwmFrequency1 << r.pwmFrequency2 << r.attenuationPercent;
    archive << r.laser1On << r.laser2On << r.waterProtect1On << r.waterProtect2On << r.lidProtectOn
            << r.blowerOn;
    archive << r.machineType << r.feedMode << r.powerOffDelayMs << r.transmission << r.zFunction;
    return archive.Bytes();
}

inline std::vector<std::uint8_t> OlderUserBytes(const CUserPara& r) {
    platform::Archive archive = platform::Archive::ForStoring();
    archive << r.idleSpeedMmPerS << r.idleAccMmPerS2 << r.startSpeedMmPerS << r.minAccMmPerS2
            << r.maxAccMmPerS2;
    archive << r.cuttingMode << r.accMode;
    archive << r.scanStartSpeedXMmPerS << r.scanStartSpeedYMmPerS << r.scanAccXMmPerS2 << r.scanAccYMmPerS2
            << r.scanLineShiftSpeedMmPerS;
    archive << r.scanMode << r.spotSizePercent << r.homeSpeedMmPerS;
    for (std::int32_t home : r.homeAtPowerOn) {
        archive << home;
    }
    archive << r.frameMode << r.frameMarginMm << r.arrayMode << r.returnPosition;
    archive << r.feedDelayBeforeS << r.feedDelayAfterMs << r.panelLanguage;
    archive << r.focusDepthMm << r.backlashXMm << r.backlashYMm;
    archive << r.idleDelayMs << r.accFactorPercent << r.speedFactorPercent << r.idleAccFactorPercent;
    return archive.Bytes();
}
