// The controller's parameters as the link moves them: one value per request, named by a parameter
// number and an index (an axis 1..4, a laser 1..2, or 0 for a parameter without index). Both the link
// and the controller know each parameter's value size from this table, so a value of another size is
// refused on either side.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace motionlink::link {

enum class ParamId : std::uint16_t {
    // Per axis 1..4.
    kAxisCtrlPara = 1,  // 8 bytes
    kAxisPrecision,     // f64, micrometres per pulse
    kAxisMaxVel,
    kAxisStrtVel,
    kAxisMaxAcc,
    kAxisRange,  // f64, mm
    kBtnStrtVel,
    kAxisBtnAcc,
    kAxisEstpAcc,
    kAxisHomeOffset,
    // Axes 1..2.
    kAxisBackLash,
    // Per laser 1..2, f64.
    kLaserMaxPower = 20,
    kLaserMinPower,
    kLaserPWMFreq,
    kLaserStdbyFreq,
    kLaserStdbyPulse,
    // Without index.
    kLaserAttenu = 40,  // f64
    kSystemCtrlMode,    // 8 bytes
    kSystemSettings,    // 6 bytes
    kIOEnable,          // 4 bytes
    kMachineType,       // u16
    kShutDownDelay,     // i32
    kCardLang,          // u8, read only
    kG0Vel = 60,        // f64 user motion values from here to kFocusDepth
    kG0Acc,
    kTurnVel,
    kTurnAcc,
    kSynAcc,
    kG0Delay,
    kXMinEngVel,
    kYMinEngVel,
    kXEngAcc,
    kYEngAcc,
    kEngVertVel,
    kEngFacula,
    kHomeVel,
    kGoScaleBlank,
    kFocusDepth,
    kAccRatio = 90,  // i32 from here to kFeedDelayAft
    kAccG0Ratio,
    kTurnRatio,
    kFeedDelayPre,  // ms
    kFeedDelayAft,
    kTotalOpenTime = 110,  // u32 statistics from here to kPreWorkTime
    kTotalWorkTime,        // s
    kTotalCutrixTime,      // s, laser on
    kTotalWorkNum,
    kTotalWorkLengthX,  // m
    kTotalWorkLengthY,  // m
    kPreWorkTime,       // ms
};

struct ParamInfo {
    ParamId id;
    std::size_t valueBytes;
    std::uint16_t maxIndex;  // 0: the index must be 0; else 1..maxIndex
    bool readOnly;
};

// Every parameter, in ParamId order.
std::span<const ParamInfo> AllParams();
// The parameter with this number, or nothing.
std::optional<ParamInfo> FindParam(std::uint16_t id);
// Whether the index is one the parameter has.
bool IsValidIndex(const ParamInfo& info, std::uint16_t index);

}  // namespace motionlink::link
