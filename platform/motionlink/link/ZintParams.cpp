// The parameter calls: each moves one value of the controller's parameter table (Params.h).
#include "MotionlinkLink.h"
#include "SharedLink.h"

using namespace motionlink::link;

// Axis parameters.
std::uint16_t Zint_GetAxisCtrlPara(std::uint32_t axis, std::uint8_t word[8]) {
    return GetParamWord(ParamId::kAxisCtrlPara, axis, word, 8);
}
std::uint16_t Zint_SetAxisCtrlPara(std::uint32_t axis, const std::uint8_t word[8]) {
    return SetParamWord(ParamId::kAxisCtrlPara, axis, word, 8);
}
std::uint16_t Zint_GetAxisPrecision(std::uint32_t axis, double* micrometresPerPulse) {
    return GetParam(ParamId::kAxisPrecision, axis, micrometresPerPulse);
}
std::uint16_t Zint_SetAxisPrecision(std::uint32_t axis, double micrometresPerPulse) {
    return SetParam(ParamId::kAxisPrecision, axis, micrometresPerPulse);
}
std::uint16_t Zint_GetAxisMaxVel(std::uint32_t axis, double* value) {
    return GetParam(ParamId::kAxisMaxVel, axis, value);
}
std::uint16_t Zint_SetAxisMaxVel(std::uint32_t axis, double value) {
    return SetParam(ParamId::kAxisMaxVel, axis, value);
}
std::uint16_t Zint_GetAxisStrtVel(std::uint32_t axis, double* value) {
    return GetParam(ParamId::kAxisStrtVel, axis, value);
}
std::uint16_t Zint_SetAxisStrtVel(std::uint32_t axis, double value) {
    return SetParam(ParamId::kAxisStrtVel, axis, value);
}
std::uint16_t Zint_GetAxisMaxAcc(std::uint32_t axis, double* value) {
    return GetParam(ParamId::kAxisMaxAcc, axis, value);
}
std::uint16_t Zint_SetAxisMaxAcc(std::uint32_t axis, double value) {
    return SetParam(ParamId::kAxisMaxAcc, axis, value);
}
std::uint16_t Zint_GetAxisRange(std::uint32_t axis, double* millimetres) {
    return GetParam(ParamId::kAxisRange, axis, millimetres);
}
std::uint16_t Zint_SetAxisRange(std::uint32_t axis, double millimetres) {
    return SetParam(ParamId::kAxisRange, axis, millimetres);
}
std::uint16_t Zint_GetBtnStrtVel(std::uint32_t axis, double* value) {
    return GetParam(ParamId::kBtnStrtVel, axis, value);
}
std::uint16_t Zint_SetAxisBtnStrtVel(std::uint32_t axis, double value) {
    return SetParam(ParamId::kBtnStrtVel, axis, value);
}
std::uint16_t Zint_GetAxisBtnAcc(std::uint32_t axis, double* value) {
    return GetParam(ParamId::kAxisBtnAcc, axis, value);
}
std::uint16_t Zint_SetAxisBtnAcc(std::uint32_t axis, double value) {
    return SetParam(ParamId::kAxisBtnAcc, axis, value);
}
std::uint16_t Zint_GetAxisEstpAcc(std::uint32_t axis, double* value) {
    return GetParam(ParamId::kAxisEstpAcc, axis, value);
}
std::uint16_t Zint_SetAxisEstpAcc(std::uint32_t axis, double value) {
    return SetParam(ParamId::kAxisEstpAcc, axis, value);
}
std::uint16_t Zint_GetAxisHomeOffset(std::uint32_t axis, double* value) {
    return GetParam(ParamId::kAxisHomeOffset, axis, value);
}
std::uint16_t Zint_SetAxisHomeOffset(std::uint32_t axis, double value) {
    return SetParam(ParamId::kAxisHomeOffset, axis, value);
}
std::uint16_t Zint_GetAxisBackLash(std::uint32_t axis, double* value) {
    return GetParam(ParamId::kAxisBackLash, axis, value);
}
std::uint16_t Zint_SetAxisBackLash(std::uint32_t axis, double value) {
    return SetParam(ParamId::kAxisBackLash, axis, value);
}

// Laser parameters.
std::uint16_t Zint_GetLaserMaxPower(std::uint32_t laser, double* value) {
    return GetParam(ParamId::kLaserMaxPower, laser, value);
}
std::uint16_t Zint_SetLaserMaxPower(std::uint32_t laser, double value) {
    return SetParam(ParamId::kLaserMaxPower, laser, value);
}
std::uint16_t Zint_GetLaserMinPower(std::uint32_t laser, double* value) {
    return GetParam(ParamId::kLaserMinPower, laser, value);
}
std::uint16_t Zint_SetLaserMinPower(std::uint32_t laser, double value) {
    return SetParam(ParamId::kLaserMinPower, laser, value);
}
std::uint16_t Zint_GetLaserPWMFreq(std::uint32_t laser, double* value) {
    return GetParam(ParamId::kLaserPWMFreq, laser, value);
}
std::uint16_t Zint_SetLaserPWMFreq(std::uint32_t laser, double value) {
    return SetParam(ParamId::kLaserPWMFreq, laser, value);
}
std::uint16_t Zint_GetLaserStdbyFreq(std::uint32_t laser, double* value) {
    return GetParam(ParamId::kLaserStdbyFreq, laser, value);
}
std::uint16_t Zint_SetLaserStdbyFreq(std::uint32_t laser, double value) {
    return SetParam(ParamId::kLaserStdbyFreq, laser, value);
}
std::uint16_t Zint_GetLaserStdbyPulse(std::uint32_t laser, double* value) {
    return GetParam(ParamId::kLaserStdbyPulse, laser, value);
}
std::uint16_t Zint_SetLaserStdbyPulse(std::uint32_t laser, double value) {
    return SetParam(ParamId::kLaserStdbyPulse, laser, value);
}
std::uint16_t Zint_GetLaserAttenu(double* value) {
    return GetParam(ParamId::kLaserAttenu, 0, value);
}
std::uint16_t Zint_SetLaserAttenu(double value) {
    return SetParam(ParamId::kLaserAttenu, 0, value);
}

// Machine words.
std::uint16_t Zint_GetSystemCtrlMode(std::uint8_t word[8]) {
    return GetParamWord(ParamId::kSystemCtrlMode, 0, word, 8);
}
std::uint16_t Zint_SetSystemCtrlMode(const std::uint8_t word[8]) {
    return SetParamWord(ParamId::kSystemCtrlMode, 0, word, 8);
}
std::uint16_t Zint_GetSystemSettings(std::uint8_t word[6]) {
    return GetParamWord(ParamId::kSystemSettings, 0, word, 6);
}
std::uint16_t Zint_SetSystemSettings(const std::uint8_t word[6]) {
    return SetParamWord(ParamId::kSystemSettings, 0, word, 6);
}
std::uint16_t Zint_GetIOEnable(std::uint8_t word[4]) {
    return GetParamWord(ParamId::kIOEnable, 0, word, 4);
}
std::uint16_t Zint_SetIOEnable(const std::uint8_t word[4]) {
    return SetParamWord(ParamId::kIOEnable, 0, word, 4);
}
std::uint16_t Zint_GetMachineType(std::uint16_t* type) {
    return GetParam(ParamId::kMachineType, 0, type);
}
std::uint16_t Zint_SetMachineType(std::uint16_t type) {
    return SetParam(ParamId::kMachineType, 0, type);
}
std::uint16_t Zint_GetShutDownDelay(std::int32_t* milliseconds) {
    return GetParam(ParamId::kShutDownDelay, 0, milliseconds);
}
std::uint16_t Zint_SetShutDownDelay(std::int32_t milliseconds) {
    return SetParam(ParamId::kShutDownDelay, 0, milliseconds);
}
std::uint16_t Zint_GetCardLang(std::uint8_t* language) {
    return GetParam(ParamId::kCardLang, 0, language);
}

// User motion values.
std::uint16_t Zint_GetG0Vel(double* value) {
    return GetParam(ParamId::kG0Vel, 0, value);
}
std::uint16_t Zint_SetG0Vel(double value) {
    return SetParam(ParamId::kG0Vel, 0, value);
}
std::uint16_t Zint_GetG0Acc(double* value) {
    return GetParam(ParamId::kG0Acc, 0, value);
}
std::uint16_t Zint_SetG0Acc(double value) {
    return SetParam(ParamId::kG0Acc, 0, value);
}
std::uint16_t Zint_GetTurnVel(double* value) {
    return GetParam(ParamId::kTurnVel, 0, value);
}
std::uint16_t Zint_SetTurnVel(double value) {
    return SetParam(ParamId::kTurnVel, 0, value);
}
std::uint16_t Zint_GetTurnAcc(double* value) {
    return GetParam(ParamId::kTurnAcc, 0, value);
}
std::uint16_t Zint_SetTurnAcc(double value) {
    return SetParam(ParamId::kTurnAcc, 0, value);
}
std::uint16_t Zint_GetSynAcc(double* value) {
    return GetParam(ParamId::kSynAcc, 0, value);
}
std::uint16_t Zint_SetSynAcc(double value) {
    return SetParam(ParamId::kSynAcc, 0, value);
}
std::uint16_t Zint_GetG0Delay(double* value) {
    return GetParam(ParamId::kG0Delay, 0, value);
}
std::uint16_t Zint_SetG0Delay(double value) {
    return SetParam(ParamId::kG0Delay, 0, value);
}
std::uint16_t Zint_GetXMinEngVel(double* value) {
    return GetParam(ParamId::kXMinEngVel, 0, value);
}
std::uint16_t Zint_SetXMinEngVel(double value) {
    return SetParam(ParamId::kXMinEngVel, 0, value);
}
std::uint16_t Zint_GetYMinEngVel(double* value) {
    return GetParam(ParamId::kYMinEngVel, 0, value);
}
std::uint16_t Zint_SetYMinEngVel(double value) {
    return SetParam(ParamId::kYMinEngVel, 0, value);
}
std::uint16_t Zint_GetXEngAcc(double* value) {
    return GetParam(ParamId::kXEngAcc, 0, value);
}
std::uint16_t Zint_SetXEngAcc(double value) {
    return SetParam(ParamId::kXEngAcc, 0, value);
}
std::uint16_t Zint_GetYEngAcc(double* value) {
    return GetParam(ParamId::kYEngAcc, 0, value);
}
std::uint16_t Zint_SetYEngAcc(double value) {
    return SetParam(ParamId::kYEngAcc, 0, value);
}
std::uint16_t Zint_GetEngVertVel(double* value) {
    return GetParam(ParamId::kEngVertVel, 0, value);
}
std::uint16_t Zint_SetEngVertVel(double value) {
    return SetParam(ParamId::kEngVertVel, 0, value);
}
std::uint16_t Zint_GetEngFacula(double* value) {
    return GetParam(ParamId::kEngFacula, 0, value);
}
std::uint16_t Zint_SetEngFacula(double value) {
    return SetParam(ParamId::kEngFacula, 0, value);
}
std::uint16_t Zint_GetHomeVel(double* value) {
    return GetParam(ParamId::kHomeVel, 0, value);
}
std::uint16_t Zint_SetHomeVel(double value) {
    return SetParam(ParamId::kHomeVel, 0, value);
}
std::uint16_t Zint_GetGoScaleBlank(double* value) {
    return GetParam(ParamId::kGoScaleBlank, 0, value);
}
std::uint16_t Zint_SetGoScaleBlank(double value) {
    return SetParam(ParamId::kGoScaleBlank, 0, value);
}
std::uint16_t Zint_GetFocusDepth(double* value) {
    return GetParam(ParamId::kFocusDepth, 0, value);
}
std::uint16_t Zint_SetFocusDepth(double value) {
    return SetParam(ParamId::kFocusDepth, 0, value);
}
std::uint16_t Zint_GetAccRatio(std::int32_t* value) {
    return GetParam(ParamId::kAccRatio, 0, value);
}
std::uint16_t Zint_SetAccRatio(std::int32_t value) {
    return SetParam(ParamId::kAccRatio, 0, value);
}
std::uint16_t Zint_GetAccG0Ratio(std::int32_t* value) {
    return GetParam(ParamId::kAccG0Ratio, 0, value);
}
std::uint16_t Zint_SetAccG0Ratio(std::int32_t value) {
    return SetParam(ParamId::kAccG0Ratio, 0, value);
}
std::uint16_t Zint_GetTurnRatio(std::int32_t* value) {
    return GetParam(ParamId::kTurnRatio, 0, value);
}
std::uint16_t Zint_SetTurnRatio(std::int32_t value) {
    return SetParam(ParamId::kTurnRatio, 0, value);
}
std::uint16_t Zint_GetFeedDelayPre(std::int32_t* milliseconds) {
    return GetParam(ParamId::kFeedDelayPre, 0, milliseconds);
}
std::uint16_t Zint_SetFeedDelayPre(std::int32_t milliseconds) {
    return SetParam(ParamId::kFeedDelayPre, 0, milliseconds);
}
std::uint16_t Zint_GetFeedDelayAft(std::int32_t* value) {
    return GetParam(ParamId::kFeedDelayAft, 0, value);
}
std::uint16_t Zint_SetFeedDelayAft(std::int32_t value) {
    return SetParam(ParamId::kFeedDelayAft, 0, value);
}

// Statistics.
std::uint16_t Zint_GetTotalOpenTime(std::uint32_t* seconds) {
    return GetParam(ParamId::kTotalOpenTime, 0, seconds);
}
std::uint16_t Zint_SetTotalOpenTime(std::uint32_t seconds) {
    return SetParam(ParamId::kTotalOpenTime, 0, seconds);
}
std::uint16_t Zint_GetTotalWorkTime(std::uint32_t* seconds) {
    return GetParam(ParamId::kTotalWorkTime, 0, seconds);
}
std::uint16_t Zint_SetTotalWorkTime(std::uint32_t seconds) {
    return SetParam(ParamId::kTotalWorkTime, 0, seconds);
}
std::uint16_t Zint_GetTotalCutrixTime(std::uint32_t* seconds) {
    return GetParam(ParamId::kTotalCutrixTime, 0, seconds);
}
std::uint16_t Zint_SetTotalCutrixTime(std::uint32_t seconds) {
    return SetParam(ParamId::kTotalCutrixTime, 0, seconds);
}
std::uint16_t Zint_GetTotalWorkNum(std::uint32_t* count) {
    return GetParam(ParamId::kTotalWorkNum, 0, count);
}
std::uint16_t Zint_SetTotalWorkNum(std::uint32_t count) {
    return SetParam(ParamId::kTotalWorkNum, 0, count);
}
std::uint16_t Zint_GetTotalWorkLengthX(std::uint32_t* metres) {
    return GetParam(ParamId::kTotalWorkLengthX, 0, metres);
}
std::uint16_t Zint_SetTotalWorkLengthX(std::uint32_t metres) {
    return SetParam(ParamId::kTotalWorkLengthX, 0, metres);
}
std::uint16_t Zint_GetTotalWorkLengthY(std::uint32_t* metres) {
    return GetParam(ParamId::kTotalWorkLengthY, 0, metres);
}
std::uint16_t Zint_SetTotalWorkLengthY(std::uint32_t metres) {
    return SetParam(ParamId::kTotalWorkLengthY, 0, metres);
}
std::uint16_t Zint_GetPreWorkTime(std::uint32_t* milliseconds) {
    return GetParam(ParamId::kPreWorkTime, 0, milliseconds);
}
std::uint16_t Zint_SetPreWorkTime(std::uint32_t milliseconds) {
    return SetParam(ParamId::kPreWorkTime, 0, milliseconds);
}
