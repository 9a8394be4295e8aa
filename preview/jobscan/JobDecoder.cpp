// The decoder, written once over two choices: how a byte of the span becomes an opcode byte (a table
// lookup, or nothing), and where records go (a flat array, or the list). Both are template arguments,
// so the inner loop makes no call per byte or per record.
#include "JobDecoder.h"

#include <array>
#include <cstddef>

#include "ByteTransform.h"
#include "JobOpcodes.h"

namespace jobscan {
namespace {

namespace opcode = motionlink::opcode;

constexpr double kMillimetresPerUnit = 0.001;
constexpr double kSecondsPerUnit = 0.000001;
constexpr double kFullPower = 16383.0;
constexpr std::uint8_t kZAxis = 3;
// Every opcode has bit 7 set; operand bytes never do.
constexpr std::uint8_t kFirstOpcode = 0x80;

// Zint_UBCmd as a table, built once from the call itself so that the two can never differ.
const std::array<std::uint8_t, 256>& OpcodeTable() {
    static const std::array<std::uint8_t, 256> table = [] {
        std::array<std::uint8_t, 256> bytes{};
        for (std::size_t stored = 0; stored < bytes.size(); ++stored) {
            std::uint8_t byte = static_cast<std::uint8_t>(stored);
            Zint_UBCmd(&byte);
            bytes[stored] = byte;
        }
        return bytes;
    }();
    return table;
}

struct StoredBytes {
    const std::uint8_t* table = OpcodeTable().data();
    std::uint8_t operator()(std::uint8_t stored) const { return table[stored]; }
};

struct OpcodeBytes {
    std::uint8_t operator()(std::uint8_t opcodeByte) const { return opcodeByte; }
};

struct RecordOutput {
    std::vector<JobRecord>& records;
    void Add(std::uint16_t kind, double a, double b) {
        JobRecord& record = records.emplace_back();
        record.kind = kind;
        record.a = a;
        record.b = b;
    }
    void Ramp(const JobRecord& ramp) { records.push_back(ramp); }
};

struct ListOutput {
    CDbList<JobCommand>& list;
    void Add(std::uint16_t kind, double a, double b) { list.AddTail(JobCommand{kind, a, b}); }
    void Ramp(const JobRecord& ramp) {
        ExpandRecord(ramp, [this](const JobCommand& command) { list.AddTail(command); });
    }
};

// Positions wrap as 32-bit integers, so a stream of relative moves can never overflow them.
std::int32_t AddWrapping(std::int32_t position, std::int32_t delta) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(position) +
                                     static_cast<std::uint32_t>(delta));
}

template <typename ByteMap, typename Output>
class Decoder {
  public:
    Decoder(std::span<const std::uint8_t> bytes, Output& output)
        : data_(bytes.data()), size_(bytes.size()), output_(output) {}

    void Run() {
        std::size_t at = 0;
        while (at < size_) {
            const std::uint8_t op = map_(data_[at]);
            if (op < kFirstOpcode) {
                ++at;  // an operand byte where a command should start: skipped, as every unknown byte
                continue;
            }
            if (op == opcode::kEnd) {
                return;
            }
            const std::size_t length = Decode(op, at, size_ - at);
            if (length == 0) {
                return;
            }
            at += length;
        }
    }

  private:
    // Groups are shifted in whole, not masked: a malformed byte with bit 7 set overlaps the next higher
    // group, and the result is cut to 32 bits and read as two's complement.
    std::uint32_t Groups(std::size_t at, std::size_t count, std::uint32_t value = 0) const {
        for (std::size_t i = 0; i < count; ++i) {
            value = (value << 7) | map_(data_[at + i]);
        }
        return value;
    }
    std::int32_t Absolute(std::size_t at) const { return static_cast<std::int32_t>(Groups(at, 5)); }
    // A 14-bit delta: with bit 6 of the first group set, the three missing upper groups count as 0x7F.
    std::int32_t Relative(std::size_t at) const {
        constexpr std::uint32_t kMissingGroupsAllOnes = 0x1FFFFF;  // three groups of 0x7F
        return static_cast<std::int32_t>(Groups(at, 2, (map_(data_[at]) & 0x40) != 0 ? kMissingGroupsAllOnes : 0));
    }
    // At most 15 bits, even from malformed groups.
    std::uint16_t PowerUnits(std::size_t at) const { return static_cast<std::uint16_t>(Groups(at, 2)); }
    std::uint8_t Byte(std::size_t at) const { return map_(data_[at]); }

    // The length of the command at `at`, 1 for a byte that is skipped, or 0 when its operands would run
    // past the end of the data.
    std::size_t Decode(std::uint8_t op, std::size_t at, std::size_t available) {
        switch (op) {
            case opcode::kMoveAbsolute:
            case opcode::kCutAbsolute:
                if (available < 11) {
                    return 0;
                }
                PathTo(op == opcode::kCutAbsolute, Absolute(at + 1), Absolute(at + 6), true);
                return 11;
            case opcode::kMoveRelative:
            case opcode::kCutRelative:
                if (available < 5) {
                    return 0;
                }
                PathTo(op == opcode::kCutRelative, AddWrapping(x_, Relative(at + 1)),
                       AddWrapping(y_, Relative(at + 3)), true);
                return 5;
            case opcode::kMoveRelativeX:
            case opcode::kCutRelativeX:
                if (available < 3) {
                    return 0;
                }
                PathTo(op == opcode::kCutRelativeX, AddWrapping(x_, Relative(at + 1)), y_, false);
                return 3;
            case opcode::kMoveRelativeY:
            case opcode::kCutRelativeY:
                if (available < 3) {
                    return 0;
                }
                PathTo(op == opcode::kCutRelativeY, x_, AddWrapping(y_, Relative(at + 1)), false);
                return 3;
            case opcode::kAxisMove:
            case opcode::kAxisMoveLaserOn:
                if (available < 7) {
                    return 0;
                }
                if ((Byte(at + 1) & 7) == kZAxis) {
                    output_.Add(JobCommand::AxisMove, kZAxis, Absolute(at + 2) * kMillimetresPerUnit);
                }
                return 7;
            case opcode::kPowerBoth:
                if (available < 3) {
                    return 0;
                }
                startPower_ = endPower_ = PowerUnits(at + 1);
                output_.Add(JobCommand::Power, startPower_ / kFullPower, 0.0);
                return 3;
            case opcode::kPowerEnd:
                if (available < 3) {
                    return 0;
                }
                endPower_ = PowerUnits(at + 1);
                output_.Add(JobCommand::Power, endPower_ / kFullPower, 0.0);
                return 3;
            case opcode::kPowerPrefix:
                return available < 2 ? 1 : PowerGroup(at, available);
            case opcode::kSpeedPrefix:
                return available < 2 ? 1 : SpeedGroup(at, available);
            case opcode::kValuePrefix:
                return available < 2 ? 1 : ValueGroup(at, available);
            default:
                return 1;
        }
    }

    std::size_t PowerGroup(std::size_t at, std::size_t available) {
        switch (Byte(at + 1)) {
            case opcode::kLayerPower: {
                if (available < 4) {
                    return 0;
                }
                startPower_ = endPower_ = PowerUnits(at + 2);
                output_.Add(JobCommand::Power, startPower_ == 0 ? 1.0 : startPower_ / kFullPower, 0.0);
                return 4;
            }
            case opcode::kDelay:
                if (available < 7) {
                    return 0;
                }
                output_.Add(JobCommand::Delay, Absolute(at + 2) * kSecondsPerUnit, 0.0);
                return 7;
            case opcode::kListMinPower1:
                return IndexedPower(at, available, JobCommand::IndexedPower1);
            case opcode::kListMinPower2:
                return IndexedPower(at, available, JobCommand::IndexedPower2);
            case opcode::kListMaxPower1:
                return IndexedPower(at, available, JobCommand::IndexedPower3);
            case opcode::kListMaxPower2:
                return IndexedPower(at, available, JobCommand::IndexedPower4);
            default:
                return 1;
        }
    }

    // The byte after the selector is carried by the format but not read.
    std::size_t IndexedPower(std::size_t at, std::size_t available, JobCommand::Kind kind) {
        if (available < 5) {
            return 0;
        }
        output_.Add(kind, 0.0, PowerUnits(at + 3) / kFullPower);
        return 5;
    }

    std::size_t SpeedGroup(std::size_t at, std::size_t available) {
        switch (Byte(at + 1)) {
            case opcode::kSpeed:
                if (available < 7) {
                    return 0;
                }
                output_.Add(JobCommand::Speed, Absolute(at + 2) * kMillimetresPerUnit, 0.0);
                return 7;
            case opcode::kListSpeed:
                if (available < 8) {
                    return 0;
                }
                output_.Add(JobCommand::IndexedSpeed, Byte(at + 2), Absolute(at + 3) * kMillimetresPerUnit);
                return 8;
            default:
                return 1;
        }
    }

    std::size_t ValueGroup(std::size_t at, std::size_t available) {
        switch (Byte(at + 1)) {
            case opcode::kSkippedByte:
                return available < 3 ? 0 : 3;
            case opcode::kParamByte:
                if (available < 3) {
                    return 0;
                }
                output_.Add(JobCommand::ParamByte, Byte(at + 2), 0.0);
                return 3;
            case opcode::kListValue:
                if (available < 8) {
                    return 0;
                }
                output_.Add(JobCommand::IndexedValue, Byte(at + 2), Absolute(at + 3));
                return 8;
            default:
                return 1;
        }
    }

    // A cut with differing start and end power, going somewhere, is a ramp; single-axis cuts never ramp.
    void PathTo(bool cut, std::int32_t targetX, std::int32_t targetY, bool mayRamp) {
        const bool moves = targetX != x_ || targetY != y_;
        if (cut && mayRamp && startPower_ != endPower_ && moves) {
            output_.Ramp(JobRecord::Ramp(startPower_, endPower_, x_, y_, targetX, targetY));
        } else {
            output_.Add(cut ? JobCommand::Cut : JobCommand::Move, targetX * kMillimetresPerUnit,
                        targetY * kMillimetresPerUnit);
        }
        x_ = targetX;
        y_ = targetY;
    }

    const std::uint8_t* data_;
    std::size_t size_;
    ByteMap map_;
    Output& output_;
    std::int32_t x_ = 0;  // micrometres
    std::int32_t y_ = 0;
    std::uint16_t startPower_ = 0;  // power units
    std::uint16_t endPower_ = 0;
};

template <typename Output>
void Run(std::span<const std::uint8_t> bytes, JobBytes form, Output& output) {
    if (form == JobBytes::kStored) {
        Decoder<StoredBytes, Output>(bytes, output).Run();
    } else {
        Decoder<OpcodeBytes, Output>(bytes, output).Run();
    }
}

}  // namespace

void DecodeJob(std::span<const std::uint8_t> bytes, JobBytes form, std::vector<JobRecord>& records) {
    records.clear();
    RecordOutput output{records};
    Run(bytes, form, output);
}

void DecodeJob(std::span<const std::uint8_t> bytes, JobBytes form, CDbList<JobCommand>* list) {
    if (list == nullptr || list->head == nullptr) {
        return;
    }
    ListOutput output{*list};
    Run(bytes, form, output);
}

}  // namespace jobscan
