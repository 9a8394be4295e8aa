// The job reader's walk over the opcode stream: one forward pass, no look-back, records appended at
// the tail. The command table lives in Decode; JobOpcodes.h names the bytes.
#include "JobStreamWalker.h"

#include <cstddef>
#include <optional>

#include "JobOpcodes.h"

namespace jobscan {
namespace {

namespace opcode = motionlink::opcode;

constexpr double kMillimetresPerUnit = 0.001;
constexpr double kSecondsPerUnit = 0.000001;
constexpr double kFullPower = 16383.0;
constexpr int kRampSteps = 10;
constexpr std::uint8_t kZAxis = 3;

// Groups are shifted in whole, not masked: a malformed byte with bit 7 set overlaps the next higher
// group, and the result is cut to 32 bits and read as two's complement.
std::int32_t DecodeGroups(const std::uint8_t* groups, std::size_t count, std::uint32_t value = 0) {
    for (std::size_t i = 0; i < count; ++i) {
        value = (value << 7) | groups[i];
    }
    return static_cast<std::int32_t>(value);
}

std::int32_t DecodeAbsolute(const std::uint8_t* groups) {
    return DecodeGroups(groups, 5);
}

// A 14-bit delta: with bit 6 of the first group set, the three missing upper groups count as 0x7F.
std::int32_t DecodeRelative(const std::uint8_t* groups) {
    constexpr std::uint32_t kMissingGroupsAllOnes = 0x1FFFFF;  // three groups of 0x7F
    return DecodeGroups(groups, 2, (groups[0] & 0x40) != 0 ? kMissingGroupsAllOnes : 0);
}

double DecodePower(const std::uint8_t* groups) {
    return DecodeGroups(groups, 2) / kFullPower;
}

// Positions wrap as 32-bit integers, so a stream of relative moves can never overflow them.
std::int32_t AddWrapping(std::int32_t position, std::int32_t delta) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(position) +
                                     static_cast<std::uint32_t>(delta));
}

class Walker {
  public:
    Walker(std::span<const std::uint8_t> stream, CDbList<JobCommand>* list) : stream_(stream), list_(list) {}

    void Walk() {
        std::size_t position = 0;
        while (position < stream_.size() && stream_[position] != opcode::kEnd) {
            const std::optional<std::size_t> next = Decode(position);
            if (!next) {
                return;
            }
            position = *next;
        }
    }

  private:
    // Decodes the command at `at` and returns where the next one starts, or nothing when its operands
    // would run past the end of the data.
    std::optional<std::size_t> Decode(std::size_t at) {
        const std::uint8_t* bytes = stream_.data() + at;
        const std::size_t available = stream_.size() - at;
        const auto fits = [&](std::size_t length) { return length <= available; };
        const auto after = [&](std::size_t length) -> std::optional<std::size_t> {
            if (!fits(length)) {
                return std::nullopt;
            }
            return at + length;
        };
        switch (bytes[0]) {
            case opcode::kMoveAbsolute:
            case opcode::kCutAbsolute:
                if (fits(11)) {
                    PathTo(bytes[0] == opcode::kCutAbsolute, DecodeAbsolute(bytes + 1),
                           DecodeAbsolute(bytes + 6), true);
                }
                return after(11);
            case opcode::kMoveRelative:
            case opcode::kCutRelative:
                if (fits(5)) {
                    PathTo(bytes[0] == opcode::kCutRelative, AddWrapping(x_, DecodeRelative(bytes + 1)),
                           AddWrapping(y_, DecodeRelative(bytes + 3)), true);
                }
                return after(5);
            case opcode::kMoveRelativeX:
            case opcode::kCutRelativeX:
                if (fits(3)) {
                    PathTo(bytes[0] == opcode::kCutRelativeX, AddWrapping(x_, DecodeRelative(bytes + 1)), y_,
                           false);
                }
                return after(3);
            case opcode::kMoveRelativeY:
            case opcode::kCutRelativeY:
                if (fits(3)) {
                    PathTo(bytes[0] == opcode::kCutRelativeY, x_, AddWrapping(y_, DecodeRelative(bytes + 1)),
                           false);
                }
                return after(3);
            case opcode::kAxisMove:
            case opcode::kAxisMoveLaserOn:
                if (fits(7) && (bytes[1] & 7) == kZAxis) {
                    Append(JobCommand::AxisMove, kZAxis, DecodeAbsolute(bytes + 2) * kMillimetresPerUnit);
                }
                return after(7);
            case opcode::kPowerBoth:
                if (fits(3)) {
                    startPower_ = endPower_ = DecodePower(bytes + 1);
                    Append(JobCommand::Power, startPower_);
                }
                return after(3);
            case opcode::kPowerEnd:
                if (fits(3)) {
                    endPower_ = DecodePower(bytes + 1);
                    Append(JobCommand::Power, endPower_);
                }
                return after(3);
            case opcode::kPowerPrefix:
                return DecodePowerGroup(at);
            case opcode::kSpeedPrefix:
                return DecodeSpeedGroup(at);
            case opcode::kValuePrefix:
                return DecodeValueGroup(at);
            default:
                return at + 1;
        }
    }

    std::optional<std::size_t> DecodePowerGroup(std::size_t at) {
        const std::uint8_t* bytes = stream_.data() + at;
        const std::size_t available = stream_.size() - at;
        if (available < 2) {
            return at + 1;
        }
        switch (bytes[1]) {
            case opcode::kLayerPower: {
                if (available < 4) {
                    return std::nullopt;
                }
                startPower_ = endPower_ = DecodePower(bytes + 2);
                Append(JobCommand::Power, startPower_ == 0.0 ? 1.0 : startPower_);
                return at + 4;
            }
            case opcode::kDelay:
                if (available < 7) {
                    return std::nullopt;
                }
                Append(JobCommand::Delay, DecodeAbsolute(bytes + 2) * kSecondsPerUnit);
                return at + 7;
            case opcode::kListMinPower1:
                return IndexedPower(at, JobCommand::IndexedPower1);
            case opcode::kListMinPower2:
                return IndexedPower(at, JobCommand::IndexedPower2);
            case opcode::kListMaxPower1:
                return IndexedPower(at, JobCommand::IndexedPower3);
            case opcode::kListMaxPower2:
                return IndexedPower(at, JobCommand::IndexedPower4);
            default:
                return at + 1;
        }
    }

    // The byte after the selector is carried by the format but not read.
    std::optional<std::size_t> IndexedPower(std::size_t at, JobCommand::Kind kind) {
        if (stream_.size() - at < 5) {
            return std::nullopt;
        }
        Append(kind, 0.0, DecodePower(stream_.data() + at + 3));
        return at + 5;
    }

    std::optional<std::size_t> DecodeSpeedGroup(std::size_t at) {
        const std::uint8_t* bytes = stream_.data() + at;
        const std::size_t available = stream_.size() - at;
        if (available < 2) {
            return at + 1;
        }
        switch (bytes[1]) {
            case opcode::kSpeed:
                if (available < 7) {
                    return std::nullopt;
                }
                Append(JobCommand::Speed, DecodeAbsolute(bytes + 2) * kMillimetresPerUnit);
                return at + 7;
            case opcode::kListSpeed:
                if (available < 8) {
                    return std::nullopt;
                }
                Append(JobCommand::IndexedSpeed, bytes[2], DecodeAbsolute(bytes + 3) * kMillimetresPerUnit);
                return at + 8;
            default:
                return at + 1;
        }
    }

    std::optional<std::size_t> DecodeValueGroup(std::size_t at) {
        const std::uint8_t* bytes = stream_.data() + at;
        const std::size_t available = stream_.size() - at;
        if (available < 2) {
            return at + 1;
        }
        switch (bytes[1]) {
            case opcode::kSkippedByte:
                if (available < 3) {
                    return std::nullopt;
                }
                return at + 3;
            case opcode::kParamByte:
                if (available < 3) {
                    return std::nullopt;
                }
                Append(JobCommand::ParamByte, bytes[2]);
                return at + 3;
            case opcode::kListValue:
                if (available < 8) {
                    return std::nullopt;
                }
                Append(JobCommand::IndexedValue, bytes[2], DecodeAbsolute(bytes + 3));
                return at + 8;
            default:
                return at + 1;
        }
    }

    // A cut with differing start and end power, going somewhere, becomes ten steps that each carry one
    // tenth more of the power change and of the way; single-axis cuts never ramp.
    void PathTo(bool cut, std::int32_t targetX, std::int32_t targetY, bool mayRamp) {
        const bool moves = targetX != x_ || targetY != y_;
        if (cut && mayRamp && startPower_ != endPower_ && moves) {
            const double deltaPower = endPower_ - startPower_;
            const double deltaX = static_cast<double>(targetX) - x_;
            const double deltaY = static_cast<double>(targetY) - y_;
            for (int step = 1; step <= kRampSteps; ++step) {
                Append(JobCommand::Power, (step * deltaPower) * 0.1 + startPower_);
                Append(JobCommand::Cut, (deltaX * step * 0.1 + x_) * kMillimetresPerUnit,
                       (deltaY * step * 0.1 + y_) * kMillimetresPerUnit);
            }
        } else {
            Append(cut ? JobCommand::Cut : JobCommand::Move, targetX * kMillimetresPerUnit,
                   targetY * kMillimetresPerUnit);
        }
        x_ = targetX;
        y_ = targetY;
    }

    void Append(JobCommand::Kind kind, double a, double b = 0.0) {
        if (list_ != nullptr) {
            list_->AddTail(JobCommand{kind, a, b});
        }
    }

    std::span<const std::uint8_t> stream_;
    CDbList<JobCommand>* list_;
    std::int32_t x_ = 0;  // micrometres
    std::int32_t y_ = 0;
    double startPower_ = 0.0;
    double endPower_ = 0.0;
};

}  // namespace

void WalkJobStream(std::span<const std::uint8_t> opcodeStream, CDbList<JobCommand>* list) {
    Walker(opcodeStream, list).Walk();
}

}  // namespace jobscan
