// The controller's machine parameters: the vendor record (axis drives, lasers, machine configuration)
// and the user record (cutting and scanning motion, homing, feeding), with their defaults and their
// keys in the program-wide parameter store. One global instance of each lives for the whole run;
// both are plain values that callers copy whole.
#pragma once

#include <cstdint>

#include "FieldInfo.h"
#include "MachineParaRanges.h"

class CSettingstore;

struct CVendorPara {
    static constexpr int kAxisCount = 4;  // X, Y, Z, U

    std::uint32_t vendorWord = 0;  // carried only by the older file form

    // Per axis.
    std::int32_t dirPolarity[kAxisCount] = {0, 0, 0, 0};    // 0 negative, 1 positive
    std::int32_t limitPolarity[kAxisCount] = {0, 0, 0, 0};  // 0 negative, 1 positive
    std::int32_t keyDirInverted[kAxisCount] = {0, 0, 0, 0};
    std::int32_t controlMode[kAxisCount] = {0, 0, 0, 0};  // 0 pulse and direction, 1 double PWM
    std::int32_t pwmRisingEdge[kAxisCount] = {0, 0, 0, 0};
    std::int32_t hardLimitOn[kAxisCount] = {0, 0, 0, 0};
    std::int32_t homingOn[kAxisCount] = {1, 1, 1, 1};
    double stepLengthUm[kAxisCount] = {0.35, 0.35, 0.35, 0.35};
    double maxSpeedMmPerS[kAxisCount] = {1000.0, 1000.0, 1000.0, 1000.0};
    double jumpOffSpeedMmPerS[kAxisCount] = {5.0, 5.0, 5.0, 5.0};
    double maxAccMmPerS2[kAxisCount] = {8000.0, 8000.0, 8000.0, 8000.0};
    double breadthMm[kAxisCount] = {1000.0, 1000.0, 1000.0, 1000.0};
    double keyJumpOffSpeedMmPerS[kAxisCount] = {5.0, 5.0, 5.0, 5.0};
    double keyAccMmPerS2[kAxisCount] = {3000.0, 3000.0, 3000.0, 3000.0};
    double estopAccMmPerS2[kAxisCount] = {5000.0, 5000.0, 5000.0, 5000.0};
    double homeOffsetMm[kAxisCount] = {0.0, 0.0, 0.0, 0.0};

    // Lasers.
    std::uint16_t tubeConfig = 0;  // 0 one tube, 1 two tubes
    std::int32_t laserType = 0;    // 0 glass tube, 1 RF without pre-ignition, 2 RF with pre-ignition
    double maxPower1Percent = 100.0;
    double minPower1Percent = 0.0;
    double maxPower2Percent = 100.0;
    double minPower2Percent = 0.0;
    double pwmFrequency1 = 100.0;
    double pwmFrequency2 = 100.0;
    double attenuationPercent = 0.0;
    double preIgnitionFrequency1 = 5000.0;
    double preIgnitionPulse1Percent = 0.5;
    double preIgnitionFrequency2 = 5000.0;
    double preIgnitionPulse2Percent = 0.5;
    std::int32_t laser1On = 1;
    std::int32_t laser2On = 0;
    std::int32_t waterProtect1On = 0;
    std::int32_t waterProtect2On = 0;
    std::int32_t lidProtectOn = 0;
    std::int32_t blowerOn = 0;

    // Machine.
    std::uint16_t machineType = 0;   // 0 normal, 1 double home and limit of Y, 2 X searches the maximum frame
    std::uint16_t feedMode = 0;      // 0 single direction, 1 both directions
    double powerOffDelayMs = 0.0;    // 0 to 3000
    std::uint16_t transmission = 0;  // 0 belt+stepper, 1 belt+servo, 2 screw+stepper, 3 screw+servo
    std::uint16_t zFunction = 0;     // 0 platform, 1 feeding

    // Every keyed field that the store holds replaces the field; a missing key leaves it as it was.
    // The record changes only when every value present is a number within its field's range and the
    // record as a whole is then InRange; else false, with the record unchanged.
    bool LoadFromStore(const CSettingstore& store);
    // As LoadFromStore, but the store must hold exactly the record's keys, each once: a key the table
    // does not list, a listed key missing, or a key twice refuses the store (a file in that state was
    // damaged, and taking the rest would put defaults in place of the values it lost).
    bool LoadFromCompleteStore(const CSettingstore& store);
    // Every keyed field into the store, in key order.
    void SaveToStore(CSettingstore& store) const;
    // Every field within its range (MachineParaRanges.h).
    bool InRange() const;
};

struct CUserPara {
    double idleSpeedMmPerS = 200.0;
    double idleAccMmPerS2 = 3000.0;
    double startSpeedMmPerS = 20.0;
    double minAccMmPerS2 = 400.0;
    double maxAccMmPerS2 = 3000.0;
    std::int32_t cuttingMode = 0;  // 0 normal, 1 speed, 2 super speed
    std::int32_t accMode = 0;      // 0 S mode, 1 T mode
    // The idle delay and the three factors move only between the program and the controller.
    double idleDelayMs = 0.0;
    std::int32_t accFactorPercent = 100;  // 0 to 200 each
    std::int32_t idleAccFactorPercent = 100;
    std::int32_t speedFactorPercent = 100;
    double scanStartSpeedXMmPerS = 10.0;
    double scanStartSpeedYMmPerS = 10.0;
    double scanAccXMmPerS2 = 10000.0;
    double scanAccYMmPerS2 = 3000.0;
    double scanLineShiftSpeedMmPerS = 100.0;
    std::int32_t scanMode = 0;  // 0 common, 1 special
    double spotSizePercent = 80.0;
    double homeSpeedMmPerS = 20.0;
    std::int32_t homeAtPowerOn[CVendorPara::kAxisCount] = {1, 1, 0, 0};
    std::uint16_t frameMode = 0;  // 0 laser off, 1 laser on (cut the frame), 2 dot the four corners
    double frameMarginMm = 0.0;
    std::int32_t arrayMode = 0;       // 0 both directions, 1 one direction
    std::int32_t returnPosition = 1;  // 0 mechanical origin, 1 absolute origin, 2 no return
    double feedDelayBeforeS = 0.0;
    double feedDelayAfterMs = 0.0;
    std::uint16_t panelLanguage = 0;  // 0 Simplified Chinese, 1 Traditional Chinese, 2 English
    double focusDepthMm = 5.0;
    double backlashXMm = 0.0;
    double backlashYMm = 0.0;
    std::int32_t lineFeedOn = 0;
    double lineFeedRepayMm = 0.0;  // stored in files, never sent to the controller

    bool LoadFromStore(const CSettingstore& store);
    bool LoadFromCompleteStore(const CSettingstore& store);
    void SaveToStore(CSettingstore& store) const;
    bool InRange() const;
};

// The field tables. Axis fields are visited once per axis, with the axis as FieldInfo::element, and are
// kept in store group 0 under axis * 256 + their number; the rest in the groups of their page. The
// parameter store's order is the order of the rows.
namespace machine_para {

constexpr std::uint32_t kAxisKeyStride = 256;

constexpr FieldInfo Field(std::string_view key, std::string_view unit, ParaRange range, int decimals,
                          std::int32_t group, std::uint32_t index, bool asSwitch = false) {
    return FieldInfo{key, unit, range, decimals, 0, -1, StoreKey{group, index, asSwitch}};
}
constexpr FieldInfo AxisField(std::string_view key, std::string_view unit, ParaRange range, int decimals,
                              int axis, std::uint32_t number, bool asSwitch = false) {
    return FieldInfo{key, unit, range, decimals, 0, axis, StoreKey{0, axis * kAxisKeyStride + number, asSwitch}};
}
// A field that only the controller transfers move: no place in the store.
constexpr FieldInfo Unkept(std::string_view key, std::string_view unit, ParaRange range, int decimals) {
    return FieldInfo{key, unit, range, decimals};
}

}  // namespace machine_para

template <RecordOf<CVendorPara> Record, typename Visit>
void VisitFields(Record& r, Visit&& visit) {
    using namespace para_range;
    using machine_para::AxisField;
    using machine_para::Field;
    constexpr bool kBool = true;
    visit(machine_para::Unkept("vendorWord", "", kAnyWord32, 0), r.vendorWord);
    for (int a = 0; a < CVendorPara::kAxisCount; ++a) {
        visit(AxisField("dirPolarity", "", kSwitch, 0, a, 0), r.dirPolarity[a]);
        visit(AxisField("controlMode", "", kSwitch, 0, a, 1), r.controlMode[a]);
        visit(AxisField("limitPolarity", "", kSwitch, 0, a, 2), r.limitPolarity[a]);
        visit(AxisField("stepLengthUm", "um", kStepLengthUm, 5, a, 3), r.stepLengthUm[a]);
        visit(AxisField("breadthMm", "mm", kBreadthMm, 3, a, 4), r.breadthMm[a]);
        visit(AxisField("homeOffsetMm", "mm", kHomeOffsetMm, 3, a, 5), r.homeOffsetMm[a]);
        visit(AxisField("hardLimitOn", "", kSwitch, 0, a, 6, kBool), r.hardLimitOn[a]);
        visit(AxisField("pwmRisingEdge", "", kSwitch, 0, a, 7), r.pwmRisingEdge[a]);
        visit(AxisField("homingOn", "", kSwitch, 0, a, 8, kBool), r.homingOn[a]);
        visit(AxisField("jumpOffSpeedMmPerS", "mm/s", kJumpOffSpeedMmPerS, 3, a, 9), r.jumpOffSpeedMmPerS[a]);
        visit(AxisField("maxSpeedMmPerS", "mm/s", kMaxSpeedMmPerS, 3, a, 10), r.maxSpeedMmPerS[a]);
        visit(AxisField("maxAccMmPerS2", "mm/s2", kMaxAccMmPerS2, 3, a, 11), r.maxAccMmPerS2[a]);
        visit(AxisField("estopAccMmPerS2", "mm/s2", kEstopAccMmPerS2, 3, a, 12), r.estopAccMmPerS2[a]);
        visit(AxisField("keyJumpOffSpeedMmPerS", "mm/s", kKeyJumpOffSpeedMmPerS, 3, a, 13),
              r.keyJumpOffSpeedMmPerS[a]);
        visit(AxisField("keyAccMmPerS2", "mm/s2", kKeyAccMmPerS2, 3, a, 14), r.keyAccMmPerS2[a]);
        visit(AxisField("keyDirInverted", "", kSwitch, 0, a, 15), r.keyDirInverted[a]);
    }
    visit(Field("tubeConfig", "", kSwitch, 0, 1, 0), r.tubeConfig);
    visit(Field("laserType", "", Choice(2), 0, 1, 1), r.laserType);
    visit(Field("attenuationPercent", "%", kAttenuationPercent, 1, 1, 2), r.attenuationPercent);
    visit(Field("laser1On", "", kSwitch, 0, 1, 3, kBool), r.laser1On);
    visit(Field("laser2On", "", kSwitch, 0, 1, 4, kBool), r.laser2On);
    visit(Field("minPower1Percent", "%", kPercent, 1, 1, 5), r.minPower1Percent);
    visit(Field("minPower2Percent", "%", kPercent, 1, 1, 6), r.minPower2Percent);
    visit(Field("maxPower1Percent", "%", kPercent, 1, 1, 7), r.maxPower1Percent);
    visit(Field("maxPower2Percent", "%", kPercent, 1, 1, 8), r.maxPower2Percent);
    visit(Field("pwmFrequency1", "kHz", kPwmFrequency, 1, 1, 9), r.pwmFrequency1);
    visit(Field("pwmFrequency2", "kHz", kPwmFrequency, 1, 1, 10), r.pwmFrequency2);
    visit(Field("preIgnitionFrequency1", "kHz", kPreIgnitionFrequency, 1, 1, 11), r.preIgnitionFrequency1);
    visit(Field("preIgnitionFrequency2", "kHz", kPreIgnitionFrequency, 1, 1, 12), r.preIgnitionFrequency2);
    visit(Field("preIgnitionPulse1Percent", "%", kPercent, 1, 1, 13), r.preIgnitionPulse1Percent);
    visit(Field("preIgnitionPulse2Percent", "%", kPercent, 1, 1, 14), r.preIgnitionPulse2Percent);
    visit(Field("waterProtect1On", "", kSwitch, 0, 1, 15, kBool), r.waterProtect1On);
    visit(Field("waterProtect2On", "", kSwitch, 0, 1, 16, kBool), r.waterProtect2On);
    visit(Field("machineType", "", Choice(2), 0, 2, 0), r.machineType);
    visit(Field("transmission", "", Choice(3), 0, 2, 1), r.transmission);
    visit(Field("zFunction", "", kSwitch, 0, 2, 2), r.zFunction);
    visit(Field("feedMode", "", kSwitch, 0, 2, 3), r.feedMode);
    visit(Field("powerOffDelayMs", "ms", kPowerOffDelayMs, 0, 2, 4), r.powerOffDelayMs);
    visit(Field("lidProtectOn", "", kSwitch, 0, 2, 5, kBool), r.lidProtectOn);
    visit(Field("blowerOn", "", kSwitch, 0, 2, 6, kBool), r.blowerOn);
}

template <RecordOf<CUserPara> Record, typename Visit>
void VisitFields(Record& r, Visit&& visit) {
    using namespace para_range;
    using machine_para::Field;
    using machine_para::Unkept;
    constexpr bool kBool = true;
    visit(Field("idleSpeedMmPerS", "mm/s", kAmount, 3, 3, 0), r.idleSpeedMmPerS);
    visit(Field("idleAccMmPerS2", "mm/s2", kAmount, 3, 3, 1), r.idleAccMmPerS2);
    visit(Field("startSpeedMmPerS", "mm/s", kAmount, 3, 3, 2), r.startSpeedMmPerS);
    visit(Field("minAccMmPerS2", "mm/s2", kAmount, 3, 3, 3), r.minAccMmPerS2);
    visit(Field("maxAccMmPerS2", "mm/s2", kAmount, 3, 3, 4), r.maxAccMmPerS2);
    visit(Field("cuttingMode", "", Choice(2), 0, 3, 5), r.cuttingMode);
    visit(Field("accMode", "", kSwitch, 0, 3, 6), r.accMode);
    visit(Field("scanStartSpeedXMmPerS", "mm/s", kAmount, 3, 4, 0), r.scanStartSpeedXMmPerS);
    visit(Field("scanStartSpeedYMmPerS", "mm/s", kAmount, 3, 4, 1), r.scanStartSpeedYMmPerS);
    visit(Field("scanAccXMmPerS2", "mm/s2", kAmount, 3, 4, 2), r.scanAccXMmPerS2);
    visit(Field("scanAccYMmPerS2", "mm/s2", kAmount, 3, 4, 3), r.scanAccYMmPerS2);
    visit(Field("scanLineShiftSpeedMmPerS", "mm/s", kAmount, 3, 4, 4), r.scanLineShiftSpeedMmPerS);
    visit(Field("scanMode", "", kSwitch, 0, 4, 5), r.scanMode);
    visit(Field("spotSizePercent", "%", kSpotSizePercent, 1, 4, 6), r.spotSizePercent);
    visit(Field("homeSpeedMmPerS", "mm/s", kAmount, 3, 5, 0), r.homeSpeedMmPerS);
    for (int a = 0; a < CVendorPara::kAxisCount; ++a) {
        FieldInfo homeAtPowerOn = Field("homeAtPowerOn", "", kSwitch, 0, 5, 1 + a, kBool);
        homeAtPowerOn.element = a;
        visit(homeAtPowerOn, r.homeAtPowerOn[a]);
    }
    visit(Field("feedDelayBeforeS", "s", kAmount, 3, 6, 0), r.feedDelayBeforeS);
    visit(Field("feedDelayAfterMs", "ms", kAmount, 3, 6, 1), r.feedDelayAfterMs);
    visit(Field("lineFeedOn", "", kSwitch, 0, 6, 2, kBool), r.lineFeedOn);
    visit(Field("lineFeedRepayMm", "mm", kLineFeedRepayMm, 3, 6, 3), r.lineFeedRepayMm);
    visit(Field("frameMode", "", Choice(2), 0, 7, 0), r.frameMode);
    visit(Field("frameMarginMm", "mm", kAmount, 3, 7, 1), r.frameMarginMm);
    visit(Field("arrayMode", "", kSwitch, 0, 7, 2), r.arrayMode);
    visit(Field("returnPosition", "", Choice(2), 0, 7, 3), r.returnPosition);
    visit(Field("panelLanguage", "", Choice(2), 0, 7, 4), r.panelLanguage);
    visit(Field("focusDepthMm", "mm", kAmount, 3, 7, 5), r.focusDepthMm);
    visit(Field("backlashXMm", "mm", kBacklashMm, 3, 7, 6), r.backlashXMm);
    visit(Field("backlashYMm", "mm", kBacklashMm, 3, 7, 7), r.backlashYMm);
    visit(Unkept("idleDelayMs", "ms", kAmount, 0), r.idleDelayMs);
    visit(Unkept("accFactorPercent", "%", kFactorPercent, 0), r.accFactorPercent);
    visit(Unkept("idleAccFactorPercent", "%", kFactorPercent, 0), r.idleAccFactorPercent);
    visit(Unkept("speedFactorPercent", "%", kFactorPercent, 0), r.speedFactorPercent);
}

extern CVendorPara gVendorPara;
extern CUserPara gUserPara;
