// The controller's machine parameters: the vendor record (axis drives, lasers, machine configuration)
// and the user record (cutting and scanning motion, homing, feeding), with their defaults and their
// keys in the program-wide parameter store. One global instance of each lives for the whole run;
// both are plain values that callers copy whole.
#pragma once

#include <cstdint>

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
    void SaveToStore(CSettingstore& store) const;
    bool InRange() const;
};

extern CVendorPara gVendorPara;
extern CUserPara gUserPara;
