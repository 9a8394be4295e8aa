// Reading and checking the older form of the machine parameter files.
#include "OlderMachineParaForm.h"

#include "Archive.h"

#include <cmath>
#include <vector>

namespace {

bool IsChoice(std::int64_t value, std::int64_t last) {
    return value >= 0 && value <= last;
}

bool IsSwitch(std::int64_t value) {
    return IsChoice(value, 1);
}

bool IsAmount(double value) {
    return std::isfinite(value) && value >= 0.0;
}

bool IsWithin(double value, double high) {
    return IsAmount(value) && value <= high;
}

void ReadVendorFields(platform::Archive& archive, CVendorPara& record) {
    archive >> record.vendorWord;
    for (int axis = 0; axis < CVendorPara::kAxisCount; ++axis) {
        archive >> record.dirPolarity[axis] >> record.limitPolarity[axis] >> record.keyDirInverted[axis] >>
            record.controlMode[axis] >> record.hardLimitOn[axis] >> record.homingOn[axis];
        archive >> record.stepLengthUm[axis] >> record.maxSpeedMmPerS[axis] >>
            record.jumpOffSpeedMmPerS[axis] >> record.maxAccMmPerS2[axis] >> record.breadthMm[axis] >>
            record.keyJumpOffSpeedMmPerS[axis] >> record.keyAccMmPerS2[axis] >>
            record.estopAccMmPerS2[axis] >> record.homeOffsetMm[axis];
    }
    archive >> record.tubeConfig >> record.laserType;
    archive >> record.maxPower1Percent >> record.minPower1Percent >> record.maxPower2Percent >>
        record.minPower2Percent >> record.pwmFrequency1 >> record.pwmFrequency2 >> record.attenuationPercent;
    archive >> record.laser1On >> record.laser2On >> record.waterProtect1On >> record.waterProtect2On >>
        record.lidProtectOn >> record.blowerOn;
    archive >> record.machineType >> record.feedMode >> record.powerOffDelayMs >> record.transmission >>
        record.zFunction;
}

bool VendorValuesInRange(const CVendorPara& record) {
    for (int axis = 0; axis < CVendorPara::kAxisCount; ++axis) {
        if (!IsSwitch(record.dirPolarity[axis]) || !IsSwitch(record.limitPolarity[axis]) ||
            !IsSwitch(record.keyDirInverted[axis]) || !IsSwitch(record.controlMode[axis]) ||
            !IsSwitch(record.hardLimitOn[axis]) || !IsSwitch(record.homingOn[axis])) {
            return false;
        }
        for (double value :
             {record.stepLengthUm[axis], record.maxSpeedMmPerS[axis], record.jumpOffSpeedMmPerS[axis],
              record.maxAccMmPerS2[axis], record.breadthMm[axis], record.keyJumpOffSpeedMmPerS[axis],
              record.keyAccMmPerS2[axis], record.estopAccMmPerS2[axis], record.homeOffsetMm[axis]}) {
            if (!IsAmount(value)) {
                return false;
            }
        }
    }
    for (double percent : {record.maxPower1Percent, record.minPower1Percent, record.maxPower2Percent,
                           record.minPower2Percent, record.attenuationPercent}) {
        if (!IsWithin(percent, 100.0)) {
            return false;
        }
    }
    for (std::int32_t flag : {record.laser1On, record.laser2On, record.waterProtect1On,
                              record.waterProtect2On, record.lidProtectOn, record.blowerOn}) {
        if (!IsSwitch(flag)) {
            return false;
        }
    }
    return IsSwitch(record.tubeConfig) && IsChoice(record.laserType, 2) && IsAmount(record.pwmFrequency1) &&
           IsAmount(record.pwmFrequency2) && IsChoice(record.machineType, 2) && IsSwitch(record.feedMode) &&
           IsWithin(record.powerOffDelayMs, 3000.0) && IsChoice(record.transmission, 3) &&
           IsSwitch(record.zFunction);
}

// The three words after the idle delay are stored in the order 3, 5, 4: acceleration factor, speed
// factor, idle acceleration factor.
void ReadUserFields(platform::Archive& archive, CUserPara& record) {
    archive >> record.idleSpeedMmPerS >> record.idleAccMmPerS2 >> record.startSpeedMmPerS >>
        record.minAccMmPerS2 >> record.maxAccMmPerS2;
    archive >> record.cuttingMode >> record.accMode;
    archive >> record.scanStartSpeedXMmPerS >> record.scanStartSpeedYMmPerS >> record.scanAccXMmPerS2 >>
        record.scanAccYMmPerS2 >> record.scanLineShiftSpeedMmPerS;
    archive >> record.scanMode;
    archive >> record.spotSizePercent >> record.homeSpeedMmPerS;
    for (std::int32_t& home : record.homeAtPowerOn) {
        archive >> home;
    }
    archive >> record.frameMode >> record.frameMarginMm;
    archive >> record.arrayMode >> record.returnPosition;
    archive >> record.feedDelayBeforeS >> record.feedDelayAfterMs;
    archive >> record.panelLanguage;
    archive >> record.focusDepthMm >> record.backlashXMm >> record.backlashYMm;
    archive >> record.idleDelayMs >> record.accFactorPercent >> record.speedFactorPercent >>
        record.idleAccFactorPercent;
}

bool UserValuesInRange(const CUserPara& record) {
    for (double value : {record.idleSpeedMmPerS, record.idleAccMmPerS2, record.startSpeedMmPerS,
                         record.minAccMmPerS2, record.maxAccMmPerS2, record.idleDelayMs,
                         record.scanStartSpeedXMmPerS, record.scanStartSpeedYMmPerS, record.scanAccXMmPerS2,
                         record.scanAccYMmPerS2, record.scanLineShiftSpeedMmPerS, record.homeSpeedMmPerS,
                         record.frameMarginMm, record.feedDelayBeforeS, record.feedDelayAfterMs,
                         record.focusDepthMm, record.backlashXMm, record.backlashYMm}) {
        if (!IsAmount(value)) {
            return false;
        }
    }
    for (std::int32_t home : record.homeAtPowerOn) {
        if (!IsSwitch(home)) {
            return false;
        }
    }
    for (std::int32_t factor :
         {record.accFactorPercent, record.idleAccFactorPercent, record.speedFactorPercent}) {
        if (!IsChoice(factor, 200)) {
            return false;
        }
    }
    return IsChoice(record.cuttingMode, 2) && IsSwitch(record.accMode) && IsSwitch(record.scanMode) &&
           IsWithin(record.spotSizePercent, 100.0) && IsChoice(record.frameMode, 2) &&
           IsSwitch(record.arrayMode) && IsChoice(record.returnPosition, 2) &&
           IsChoice(record.panelLanguage, 2);
}

// Reads into a copy and commits it only when the size, the reading and the ranges all agree.
template <typename Record, typename Read, typename Check>
bool ReadChecked(std::span<const std::uint8_t> bytes, std::size_t formBytes, Record& record, Read read,
                 Check inRange) {
    if (bytes.size() != formBytes) {
        return false;
    }
    Record loaded = record;
    try {
        platform::Archive archive =
            platform::Archive::ForLoading(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
        read(archive, loaded);
    } catch (const platform::ArchiveError&) {
        return false;
    }
    if (!inRange(loaded)) {
        return false;
    }
    record = loaded;
    return true;
}

}  // namespace

bool ReadOlderVendorForm(std::span<const std::uint8_t> bytes, CVendorPara& record) {
    return ReadChecked(bytes, kOlderVendorFormBytes, record, ReadVendorFields, VendorValuesInRange);
}

bool ReadOlderUserForm(std::span<const std::uint8_t> bytes, CUserPara& record) {
    return ReadChecked(bytes, kOlderUserFormBytes, record, ReadUserFields, UserValuesInRange);
}
