// Reading and checking the older form of the machine parameter files.
#include "OlderMachineParaForm.h"

#include "Archive.h"

#include <vector>

namespace {

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

// Reads into a copy and commits it only when the size, the reading and the ranges all agree.
template <typename Record, typename Read>
bool ReadChecked(std::span<const std::uint8_t> bytes, std::size_t formBytes, Record& record, Read read) {
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
    if (!loaded.InRange()) {
        return false;
    }
    record = loaded;
    return true;
}

}  // namespace

bool ReadOlderVendorForm(std::span<const std::uint8_t> bytes, CVendorPara& record) {
    return ReadChecked(bytes, kOlderVendorFormBytes, record, ReadVendorFields);
}

bool ReadOlderUserForm(std::span<const std::uint8_t> bytes, CUserPara& record) {
    return ReadChecked(bytes, kOlderUserFormBytes, record, ReadUserFields);
}
