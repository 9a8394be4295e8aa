// The parameter table shared by the link and the controller.
#include "Params.h"

#include <algorithm>
#include <array>

namespace motionlink::link {
namespace {

constexpr std::size_t kF64 = 8;
constexpr std::size_t kI32 = 4;
constexpr std::uint16_t kAxes = 4;
constexpr std::uint16_t kLasers = 2;

constexpr ParamInfo Axis(ParamId id, std::size_t bytes = kF64) {
    return {id, bytes, kAxes, false};
}
constexpr ParamInfo Laser(ParamId id) {
    return {id, kF64, kLasers, false};
}
constexpr ParamInfo Plain(ParamId id, std::size_t bytes) {
    return {id, bytes, 0, false};
}

constexpr std::array kParams = {
    Axis(ParamId::kAxisCtrlPara, 8),
    Axis(ParamId::kAxisPrecision),
    Axis(ParamId::kAxisMaxVel),
    Axis(ParamId::kAxisStrtVel),
    Axis(ParamId::kAxisMaxAcc),
    Axis(ParamId::kAxisRange),
    Axis(ParamId::kBtnStrtVel),
    Axis(ParamId::kAxisBtnAcc),
    Axis(ParamId::kAxisEstpAcc),
    Axis(ParamId::kAxisHomeOffset),
    ParamInfo{ParamId::kAxisBackLash, kF64, 2, false},
    Laser(ParamId::kLaserMaxPower),
    Laser(ParamId::kLaserMinPower),
    Laser(ParamId::kLaserPWMFreq),
    Laser(ParamId::kLaserStdbyFreq),
    Laser(ParamId::kLaserStdbyPulse),
    Plain(ParamId::kLaserAttenu, kF64),
    Plain(ParamId::kSystemCtrlMode, 8),
    Plain(ParamId::kSystemSettings, 6),
    Plain(ParamId::kIOEnable, 4),
    Plain(ParamId::kMachineType, 2),
    Plain(ParamId::kShutDownDelay, kI32),
    ParamInfo{ParamId::kCardLang, 1, 0, true},
    Plain(ParamId::kG0Vel, kF64),
    Plain(ParamId::kG0Acc, kF64),
    Plain(ParamId::kTurnVel, kF64),
    Plain(ParamId::kTurnAcc, kF64),
    Plain(ParamId::kSynAcc, kF64),
    Plain(ParamId::kG0Delay, kF64),
    Plain(ParamId::kXMinEngVel, kF64),
    Plain(ParamId::kYMinEngVel, kF64),
    Plain(ParamId::kXEngAcc, kF64),
    Plain(ParamId::kYEngAcc, kF64),
    Plain(ParamId::kEngVertVel, kF64),
    Plain(ParamId::kEngFacula, kF64),
    Plain(ParamId::kHomeVel, kF64),
    Plain(ParamId::kGoScaleBlank, kF64),
    Plain(ParamId::kFocusDepth, kF64),
    Plain(ParamId::kAccRatio, kI32),
    Plain(ParamId::kAccG0Ratio, kI32),
    Plain(ParamId::kTurnRatio, kI32),
    Plain(ParamId::kFeedDelayPre, kI32),
    Plain(ParamId::kFeedDelayAft, kI32),
    Plain(ParamId::kTotalOpenTime, kI32),
    Plain(ParamId::kTotalWorkTime, kI32),
    Plain(ParamId::kTotalCutrixTime, kI32),
    Plain(ParamId::kTotalWorkNum, kI32),
    Plain(ParamId::kTotalWorkLengthX, kI32),
    Plain(ParamId::kTotalWorkLengthY, kI32),
    Plain(ParamId::kPreWorkTime, kI32),
};

}  // namespace

std::span<const ParamInfo> AllParams() {
    return kParams;
}

std::optional<ParamInfo> FindParam(std::uint16_t id) {
    const auto found = std::find_if(kParams.begin(), kParams.end(), [id](const ParamInfo& info) {
        return static_cast<std::uint16_t>(info.id) == id;
    });
    if (found == kParams.end()) {
        return std::nullopt;
    }
    return *found;
}

bool IsValidIndex(const ParamInfo& info, std::uint16_t index) {
    return info.maxIndex == 0 ? index == 0 : index >= 1 && index <= info.maxIndex;
}

}  // namespace motionlink::link
