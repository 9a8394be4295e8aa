// Job encoder: form selection for moves and cuts, and the stored form of every command.
#include "JobEncoder.h"

#include <array>
#include <cstddef>

#include "ByteTransform.h"
#include "JobOpcodes.h"

namespace motionlink {
namespace {

bool FitsRelative(std::int64_t delta) {
    return delta >= kRelativeMin && delta <= kRelativeMax;
}

// Relative forms where the delta fits, the absolute form otherwise. A cut whose start and end power
// differ ramps the power along the line, which the single-axis cut forms cannot express.
JobCommandBytes PathCommand(JobPosition from, JobPosition to, bool cut, bool ramps) {
    const std::int64_t dx = std::int64_t{to.xUm} - from.xUm;
    const std::int64_t dy = std::int64_t{to.yUm} - from.yUm;
    if (!FitsRelative(dx) || !FitsRelative(dy)) {
        return JobCommandBytes(cut ? opcode::kCutAbsolute : opcode::kMoveAbsolute)
            .Absolute(to.xUm)
            .Absolute(to.yUm);
    }
    const auto deltaX = static_cast<std::int32_t>(dx);
    const auto deltaY = static_cast<std::int32_t>(dy);
    if (dy == 0 && !ramps) {
        return JobCommandBytes(cut ? opcode::kCutRelativeX : opcode::kMoveRelativeX).Relative(deltaX);
    }
    if (dx == 0 && !ramps) {
        return JobCommandBytes(cut ? opcode::kCutRelativeY : opcode::kMoveRelativeY).Relative(deltaY);
    }
    return JobCommandBytes(cut ? opcode::kCutRelative : opcode::kMoveRelative)
        .Relative(deltaX)
        .Relative(deltaY);
}

}  // namespace

void JobEncoder::Start(JobSink& sink) {
    sink_ = &sink;
    position_ = {};
    startLevel_ = 0;
    endLevel_ = 0;
}

void JobEncoder::Drop() {
    sink_ = nullptr;
}

JobStatus JobEncoder::MoveTo(JobPosition target) {
    return PathTo(target, false);
}

JobStatus JobEncoder::CutTo(JobPosition target) {
    return PathTo(target, true);
}

JobStatus JobEncoder::PathTo(JobPosition target, bool cut) {
    const bool ramps = cut && startLevel_ != endLevel_;
    const JobStatus status = Append(PathCommand(position_, target, cut, ramps));
    if (status == kJobOk) {
        position_ = target;
    }
    return status;
}

JobStatus JobEncoder::SetLinePowers(std::uint16_t level) {
    return SetPowers(JobCommandBytes(opcode::kPowerBoth).Power(level), level, level);
}

JobStatus JobEncoder::SetLineEndPower(std::uint16_t level) {
    return SetPowers(JobCommandBytes(opcode::kPowerEnd).Power(level), startLevel_, level);
}

JobStatus JobEncoder::SetLayerPower(std::uint16_t level) {
    return SetPowers(JobCommandBytes(opcode::kPowerPrefix).Byte(opcode::kLayerPower).Power(level), level,
                     level);
}

JobStatus JobEncoder::SetPowers(const JobCommandBytes& command, std::uint16_t startLevel,
                                std::uint16_t endLevel) {
    const JobStatus status = Append(command);
    if (status == kJobOk) {
        startLevel_ = startLevel;
        endLevel_ = endLevel;
    }
    return status;
}

JobStatus JobEncoder::Append(const JobCommandBytes& command) {
    if (sink_ == nullptr) {
        return kJobNoJobOpen;
    }
    const std::span<const std::uint8_t> opcodes = command.Bytes();
    std::array<std::uint8_t, JobCommandBytes::kMaxBytes> stored{};
    for (std::size_t i = 0; i < opcodes.size(); ++i) {
        stored[i] = StoredByteFromOpcode(opcodes[i]);
    }
    return sink_->Write(std::span<const std::uint8_t>(stored.data(), opcodes.size()));
}

// The job is closed whatever happens, so a failed end never leaves a half-open job behind.
JobStatus JobEncoder::End() {
    const JobStatus status = Append(JobCommandBytes(opcode::kEnd));
    JobSink* sink = sink_;
    sink_ = nullptr;
    if (status != kJobOk) {
        return status;
    }
    return sink->Finish();
}

}  // namespace motionlink
