// Process control and direct moves.
#include "MotionlinkLink.h"
#include "SharedLink.h"

using namespace motionlink::link;

namespace {

// Which of the two jog powers a kSetJogPower request sets.
constexpr std::uint8_t kJogMinPower = 0;
constexpr std::uint8_t kJogMaxPower = 1;

}  // namespace

std::uint16_t Zint_PauseProcess() {
    return CallShared(Command::kPause, {});
}

std::uint16_t Zint_RestoreProcess() {
    return CallShared(Command::kResume, {});
}

std::uint16_t Zint_StopProcess() {
    return CallShared(Command::kStop, {});
}

std::uint16_t Zint_SetEngVel(double millimetresPerSecond) {
    return CallShared(Command::kSetJogSpeed, Pack(millimetresPerSecond));
}

std::uint16_t Zint_ExSetMinPower(double percentLaser1, double percentLaser2, std::int32_t mode) {
    return CallShared(Command::kSetJogPower, Pack(kJogMinPower, percentLaser1, percentLaser2, mode));
}

std::uint16_t Zint_ExSetMaxPower(double percentLaser1, double percentLaser2, std::int32_t mode) {
    return CallShared(Command::kSetJogPower, Pack(kJogMaxPower, percentLaser1, percentLaser2, mode));
}

std::uint16_t Zint_AxisMove(std::uint32_t axis, double millimetres, std::uint32_t reserved1,
                            std::uint32_t reserved2, std::uint32_t mode) {
    return CallShared(Command::kAxisMove, Pack(axis, millimetres, reserved1, reserved2, mode));
}
