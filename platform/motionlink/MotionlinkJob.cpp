// The job-writing calls: each checks and converts its arguments, then appends its commands to the one
// current job under a lock, since the job writer runs on a worker thread while a connection may close.
#include "MotionlinkJob.h"

#include <bit>
#include <cmath>
#include <limits>
#include <mutex>
#include <optional>

#include "ConnectionJobSink.h"
#include "JobEncoder.h"
#include "JobOpcodes.h"
#include "JobUnits.h"

namespace {

using motionlink::JobCommandBytes;
using motionlink::JobEncoder;
using motionlink::JobSink;
namespace opcode = motionlink::opcode;

constexpr std::uint32_t kMaxByteOperand = 0x7F;
constexpr std::uint32_t kMaxAxis = 7;
constexpr std::uint32_t kMaxAxisMoveMode = 15;

struct JobWriter {
    std::mutex mutex;
    JobEncoder encoder;
    JobSink* connectionSink = nullptr;
};

JobWriter& Writer() {
    static JobWriter writer;
    return writer;
}

// Runs one step on the open job under the writer's lock.
template <typename Step>
std::uint16_t WithJob(Step&& step) {
    JobWriter& writer = Writer();
    const std::lock_guard lock(writer.mutex);
    if (!writer.encoder.IsOpen()) {
        return motionlink::kJobNoJobOpen;
    }
    return step(writer.encoder);
}

std::uint16_t AppendCommand(const JobCommandBytes& command) {
    return WithJob([&](JobEncoder& encoder) { return encoder.Append(command); });
}

// Appends a power command that the reader keeps, then the laser 2 value and the power mode.
template <typename SetLaser1>
std::uint16_t AppendPowerPair(double percent1, double percent2, int powerMode, std::uint8_t laser2Opcode,
                              SetLaser1&& setLaser1) {
    const auto level1 = motionlink::PercentToPowerLevel(percent1);
    const auto level2 = motionlink::PercentToPowerLevel(percent2);
    if (!level1 || !level2) {
        return motionlink::kJobBadArgument;
    }
    const auto laser2 = JobCommandBytes(laser2Opcode).Power(*level2).Absolute(powerMode);
    return WithJob([&](JobEncoder& encoder) {
        const std::uint16_t status = setLaser1(encoder, *level1);
        return status != motionlink::kJobOk ? status : encoder.Append(laser2);
    });
}

std::optional<std::int32_t> CountOperand(std::uint32_t count) {
    if (count > static_cast<std::uint32_t>(std::numeric_limits<std::int32_t>::max())) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(count);
}

std::optional<std::uint8_t> ByteOperand(std::uint32_t value) {
    if (value > kMaxByteOperand) {
        return std::nullopt;
    }
    return static_cast<std::uint8_t>(value);
}

std::int32_t RawOperand(std::uint32_t value) {
    return static_cast<std::int32_t>(value);
}

std::uint8_t SwitchOperand(std::uint32_t on) {
    return on != 0 ? 1 : 0;
}

std::uint16_t AppendPoint(std::uint8_t commandOpcode, double xMm, double yMm) {
    const auto x = motionlink::MillimetresToMicrometres(xMm);
    const auto y = motionlink::MillimetresToMicrometres(yMm);
    if (!x || !y) {
        return motionlink::kJobBadArgument;
    }
    return AppendCommand(JobCommandBytes(commandOpcode).Absolute(*x).Absolute(*y));
}

std::uint16_t AppendSpeed(JobCommandBytes command, double speedMmPerS) {
    const auto speed = motionlink::SpeedToMicrometresPerSecond(speedMmPerS);
    if (!speed) {
        return motionlink::kJobBadArgument;
    }
    return AppendCommand(command.Absolute(*speed));
}

std::uint16_t AppendLaserDelay(std::uint8_t commandOpcode, double delayMs) {
    const auto delay = motionlink::MillisecondsToMicroseconds(delayMs);
    if (!delay) {
        return motionlink::kJobBadArgument;
    }
    return AppendCommand(JobCommandBytes(commandOpcode).Absolute(*delay));
}

std::uint16_t AppendListPower(std::uint32_t layer, std::uint32_t laser, double powerFraction,
                              std::uint8_t laser1Selector, std::uint8_t laser2Selector) {
    const auto index = ByteOperand(layer);
    const auto level = motionlink::FractionToPowerLevel(powerFraction);
    if (!index || !level || (laser != 1 && laser != 2)) {
        return motionlink::kJobBadArgument;
    }
    const std::uint8_t selector = laser == 1 ? laser1Selector : laser2Selector;
    return AppendCommand(JobCommandBytes(opcode::kPowerPrefix).Byte(selector).Byte(*index).Power(*level));
}

template <typename PathStep>
std::uint16_t AppendPath(std::int32_t* cellX, std::int32_t* cellY, double xMm, double yMm,
                         PathStep&& pathStep) {
    const auto x = motionlink::MillimetresToMicrometres(xMm);
    const auto y = motionlink::MillimetresToMicrometres(yMm);
    if (!x || !y) {
        return motionlink::kJobBadArgument;
    }
    return WithJob([&](JobEncoder& encoder) {
        const std::uint16_t status = pathStep(encoder, motionlink::JobPosition{*x, *y});
        if (status == motionlink::kJobOk && cellX != nullptr && cellY != nullptr) {
            *cellX = encoder.Position().xUm;
            *cellY = encoder.Position().yUm;
        }
        return status;
    });
}

}  // namespace

namespace motionlink {

void SetConnectionJobSink(JobSink* sink) {
    JobWriter& writer = Writer();
    const std::lock_guard lock(writer.mutex);
    if (writer.connectionSink != sink && writer.encoder.IsOpen() &&
        writer.encoder.Sink() == writer.connectionSink) {
        writer.encoder.Drop();
    }
    writer.connectionSink = sink;
}

}  // namespace motionlink

std::uint16_t Zint_StrtWFile(JobSink* sink) {
    JobWriter& writer = Writer();
    const std::lock_guard lock(writer.mutex);
    JobSink* target = sink != nullptr ? sink : writer.connectionSink;
    if (target == nullptr) {
        writer.encoder.Drop();
        return motionlink::kJobCommunicationError;
    }
    writer.encoder.Start(*target);
    return motionlink::kJobOk;
}

std::uint16_t Zint_wSetRefPointMode(std::uint8_t mode) {
    return AppendCommand(JobCommandBytes(opcode::kRefPointMode).Power(mode));
}

std::uint16_t Zint_wSetAbsProcess() {
    return AppendCommand(JobCommandBytes(opcode::kAbsProcess));
}

std::uint16_t Zint_wStrtProcess() {
    return AppendCommand(JobCommandBytes(opcode::kStartProcess));
}

std::uint16_t Zint_wSetFeedRepeat(std::uint32_t count, double distanceMm) {
    const auto repeats = CountOperand(count);
    const auto distance = motionlink::MillimetresToMicrometres(distanceMm);
    if (!repeats || !distance) {
        return motionlink::kJobBadArgument;
    }
    return AppendCommand(JobCommandBytes(opcode::kFeedRepeat).Absolute(*repeats).Absolute(*distance));
}

// The ratio is carried bit for bit: it is a small scale factor whose precision a fixed unit would lose.
std::uint16_t Zint_SetRotateRatio(std::uint32_t on, double ratio) {
    if (!std::isfinite(ratio)) {
        return motionlink::kJobBadArgument;
    }
    const auto bits = std::bit_cast<std::uint64_t>(ratio);
    return AppendCommand(JobCommandBytes(opcode::kRotateRatio)
                             .Byte(SwitchOperand(on))
                             .Absolute(RawOperand(static_cast<std::uint32_t>(bits >> 32)))
                             .Absolute(RawOperand(static_cast<std::uint32_t>(bits))));
}

std::uint16_t Zint_wSetProcessTopLeft(double xMm, double yMm) {
    return AppendPoint(opcode::kProcessTopLeft, xMm, yMm);
}

std::uint16_t Zint_wSetProcessBottomRight(double xMm, double yMm) {
    return AppendPoint(opcode::kProcessBottomRight, xMm, yMm);
}

std::uint16_t Zint_wSetProcessRepeat(std::uint32_t columns, std::uint32_t rows, double pitchXMm,
                                     double pitchYMm) {
    const auto columnCount = CountOperand(columns);
    const auto rowCount = CountOperand(rows);
    const auto pitchX = motionlink::MillimetresToMicrometres(pitchXMm);
    const auto pitchY = motionlink::MillimetresToMicrometres(pitchYMm);
    if (!columnCount || !rowCount || !pitchX || !pitchY) {
        return motionlink::kJobBadArgument;
    }
    return AppendCommand(JobCommandBytes(opcode::kProcessRepeat)
                             .Absolute(*columnCount)
                             .Absolute(*rowCount)
                             .Absolute(*pitchX)
                             .Absolute(*pitchY));
}

std::uint16_t Zint_wArrayDir(std::uint32_t directionX, std::uint32_t directionY) {
    const auto x = ByteOperand(directionX);
    const auto y = ByteOperand(directionY);
    if (!x || !y) {
        return motionlink::kJobBadArgument;
    }
    return AppendCommand(JobCommandBytes(opcode::kArrayDirection).Byte(*x).Byte(*y));
}

std::uint16_t Zint_wPListVel(std::uint32_t layer, double speedMmPerS) {
    const auto index = ByteOperand(layer);
    if (!index) {
        return motionlink::kJobBadArgument;
    }
    return AppendSpeed(JobCommandBytes(opcode::kSpeedPrefix).Byte(opcode::kListSpeed).Byte(*index),
                       speedMmPerS);
}

std::uint16_t Zint_wPListMinP(std::uint32_t layer, std::uint32_t laser, double powerFraction) {
    return AppendListPower(layer, laser, powerFraction, opcode::kListMinPower1, opcode::kListMinPower2);
}

std::uint16_t Zint_wPListMaxP(std::uint32_t layer, std::uint32_t laser, double powerFraction) {
    return AppendListPower(layer, laser, powerFraction, opcode::kListMaxPower1, opcode::kListMaxPower2);
}

std::uint16_t Zint_wPListColor(std::uint32_t layer, std::uint32_t colour) {
    const auto index = ByteOperand(layer);
    if (!index) {
        return motionlink::kJobBadArgument;
    }
    return AppendCommand(JobCommandBytes(opcode::kValuePrefix)
                             .Byte(opcode::kListValue)
                             .Byte(*index)
                             .Absolute(RawOperand(colour)));
}

std::uint16_t Zint_wPListMaxLayer(std::uint32_t lastLayer) {
    const auto index = ByteOperand(lastLayer);
    if (!index) {
        return motionlink::kJobBadArgument;
    }
    return AppendCommand(JobCommandBytes(opcode::kValuePrefix).Byte(opcode::kParamByte).Byte(*index));
}

std::uint16_t Zint_wSetWorkMode(std::uint8_t mode) {
    return AppendCommand(JobCommandBytes(opcode::kWorkMode).Power(mode));
}

std::uint16_t Zint_wSetLayerNum(std::uint8_t layer) {
    return AppendCommand(JobCommandBytes(opcode::kLayerNumber).Power(layer));
}

std::uint16_t Zint_wSetLayerDevice(std::uint8_t device) {
    return AppendCommand(JobCommandBytes(opcode::kLayerDevice).Power(device));
}

std::uint16_t Zint_wSetLayerBlower(std::uint32_t on) {
    return AppendCommand(JobCommandBytes(opcode::kLayerBlower).Byte(SwitchOperand(on)));
}

std::uint16_t Zint_wSetEngVel(double speedMmPerS) {
    return AppendSpeed(JobCommandBytes(opcode::kSpeedPrefix).Byte(opcode::kSpeed), speedMmPerS);
}

std::uint16_t Zint_wSetForceEngVel(double speedMmPerS) {
    return AppendSpeed(JobCommandBytes(opcode::kForceSpeed), speedMmPerS);
}

std::uint16_t Zint_wSetAxisVel(double speedMmPerS) {
    return AppendSpeed(JobCommandBytes(opcode::kAxisSpeed), speedMmPerS);
}

std::uint16_t Zint_wLaserOn(double delayMs) {
    return AppendLaserDelay(opcode::kLaserOnDelay, delayMs);
}

std::uint16_t Zint_wLaserOff(double delayMs) {
    return AppendLaserDelay(opcode::kLaserOffDelay, delayMs);
}

std::uint16_t Zint_wLaserOn2(double delayMs) {
    return AppendLaserDelay(opcode::kLaserOnDelay2, delayMs);
}

std::uint16_t Zint_wLaserOff2(double delayMs) {
    return AppendLaserDelay(opcode::kLaserOffDelay2, delayMs);
}

std::uint16_t Zint_wEnLaserTube(std::uint32_t laser1On, std::uint32_t laser2On) {
    return AppendCommand(
        JobCommandBytes(opcode::kLaserTubes).Byte(SwitchOperand(laser1On)).Byte(SwitchOperand(laser2On)));
}

std::uint16_t Zint_wEnExIO(std::uint32_t value, std::uint32_t reserved1, std::uint32_t reserved2,
                           std::uint32_t reserved3) {
    return AppendCommand(JobCommandBytes(opcode::kExtendedIo)
                             .Absolute(RawOperand(value))
                             .Absolute(RawOperand(reserved1))
                             .Absolute(RawOperand(reserved2))
                             .Absolute(RawOperand(reserved3)));
}

std::uint16_t Zint_ExwSetMinPower(double percent1, double percent2, int powerMode) {
    const auto level1 = motionlink::PercentToPowerLevel(percent1);
    const auto level2 = motionlink::PercentToPowerLevel(percent2);
    if (!level1 || !level2) {
        return motionlink::kJobBadArgument;
    }
    return AppendCommand(
        JobCommandBytes(opcode::kMinPower).Power(*level1).Power(*level2).Absolute(powerMode));
}

std::uint16_t Zint_ExwSetMaxPower(double percent1, double percent2, int powerMode) {
    return AppendPowerPair(
        percent1, percent2, powerMode, opcode::kMaxPowerLaser2,
        [](JobEncoder& encoder, std::uint16_t level) { return encoder.SetLayerPower(level); });
}

std::uint16_t Zint_ExwSetImdPower(double percent1, double percent2, int powerMode) {
    return AppendPowerPair(
        percent1, percent2, powerMode, opcode::kLineStartLaser2,
        [](JobEncoder& encoder, std::uint16_t level) { return encoder.SetLinePowers(level); });
}

std::uint16_t Zint_ExwSetEndPower(double percent1, double percent2, int powerMode) {
    return AppendPowerPair(
        percent1, percent2, powerMode, opcode::kLineEndLaser2,
        [](JobEncoder& encoder, std::uint16_t level) { return encoder.SetLineEndPower(level); });
}

std::uint16_t Zint_wMoveTo(std::int32_t* cellX, std::int32_t* cellY, double xMm, double yMm) {
    return AppendPath(cellX, cellY, xMm, yMm, [](JobEncoder& encoder, motionlink::JobPosition target) {
        return encoder.MoveTo(target);
    });
}

std::uint16_t Zint_wLineTo(std::int32_t* cellX, std::int32_t* cellY, double xMm, double yMm) {
    return AppendPath(cellX, cellY, xMm, yMm, [](JobEncoder& encoder, motionlink::JobPosition target) {
        return encoder.CutTo(target);
    });
}

std::uint16_t Zint_wSetLaserInterval(double seconds) {
    const auto duration = motionlink::SecondsToMicroseconds(seconds);
    if (!duration) {
        return motionlink::kJobBadArgument;
    }
    return AppendCommand(JobCommandBytes(opcode::kPowerPrefix).Byte(opcode::kDelay).Absolute(*duration));
}

// The axis byte carries the mode in its upper bits; the reader looks only at the low three.
std::uint16_t Zint_wAxisMove(std::uint32_t axis, double distanceMm, std::uint32_t /*reserved1*/,
                             std::uint32_t /*reserved2*/, std::uint32_t mode) {
    const auto distance = motionlink::MillimetresToMicrometres(distanceMm);
    if (!distance || axis > kMaxAxis || mode > kMaxAxisMoveMode) {
        return motionlink::kJobBadArgument;
    }
    const std::uint8_t commandOpcode = (mode & 1) != 0 ? opcode::kAxisMoveLaserOn : opcode::kAxisMove;
    const auto axisByte = static_cast<std::uint8_t>(axis | (mode << 3));
    return AppendCommand(JobCommandBytes(commandOpcode).Byte(axisByte).Absolute(*distance));
}

std::uint16_t Zint_wSetBlockEnd() {
    return AppendCommand(JobCommandBytes(opcode::kBlockEnd));
}

std::uint16_t Zint_wSetFileEnd() {
    return WithJob([](JobEncoder& encoder) { return encoder.End(); });
}
