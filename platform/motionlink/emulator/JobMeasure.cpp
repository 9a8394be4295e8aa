// Job measurement through the job reader's walk.
#include "JobMeasure.h"

#include "ByteTransform.h"
#include "JobDecoder.h"

#include <cmath>
#include <vector>

namespace motionlink::emulator {
namespace {

// The end command; opcodes have bit 7 set and operands never do, so this byte cannot be an operand.
constexpr std::uint8_t kEndOpcode = 0xD7;
// The cutting speed before a job sets one, and the floor below which a speed counts as this.
constexpr double kFallbackSpeedMmPerS = 100.0;
constexpr double kSlowestSpeedMmPerS = 0.01;

double UsableSpeed(double speedMmPerS) {
    return std::isfinite(speedMmPerS) && speedMmPerS >= kSlowestSpeedMmPerS ? speedMmPerS
                                                                            : kFallbackSpeedMmPerS;
}

class Measurer {
  public:
    explicit Measurer(double idleSpeedMmPerS) : idleSpeed_(UsableSpeed(idleSpeedMmPerS)) {}

    void Take(const JobCommand& command) {
        switch (command.kind) {
            case JobCommand::Speed:
                cutSpeed_ = UsableSpeed(command.a);
                break;
            case JobCommand::Move:
                MoveTo(command.a, command.b, idleSpeed_, false);
                break;
            case JobCommand::Cut:
                MoveTo(command.a, command.b, cutSpeed_, true);
                break;
            case JobCommand::Delay:
                if (std::isfinite(command.a) && command.a > 0) {
                    measure_.durationS += command.a;
                }
                break;
            case JobCommand::AxisMove:
                if (std::isfinite(command.b)) {
                    measure_.durationS += std::abs(command.b) / idleSpeed_;
                }
                break;
            default:
                break;
        }
    }

    const JobMeasure& Result() const { return measure_; }

  private:
    void MoveTo(double xMm, double yMm, double speedMmPerS, bool laserOn) {
        const double dx = std::abs(xMm - measure_.endXMm);
        const double dy = std::abs(yMm - measure_.endYMm);
        const double seconds = std::hypot(dx, dy) / speedMmPerS;
        measure_.durationS += seconds;
        measure_.laserOnS += laserOn ? seconds : 0;
        measure_.travelXMm += dx;
        measure_.travelYMm += dy;
        measure_.endXMm = xMm;
        measure_.endYMm = yMm;
    }

    double idleSpeed_;
    double cutSpeed_ = kFallbackSpeedMmPerS;
    JobMeasure measure_;
};

}  // namespace

JobMeasure MeasureJob(std::span<const std::uint8_t> storedBytes, double idleSpeedMmPerS) {
    std::vector<jobscan::JobRecord> records;
    jobscan::DecodeJob(storedBytes, jobscan::JobBytes::kStored, records);
    Measurer measurer(idleSpeedMmPerS);
    for (const jobscan::JobRecord& record : records) {
        jobscan::ExpandRecord(record, [&](const JobCommand& command) { measurer.Take(command); });
    }
    return measurer.Result();
}

std::optional<std::size_t> FindJobEnd(std::span<const std::uint8_t> storedBytes, std::size_t from) {
    for (std::size_t at = from; at < storedBytes.size(); ++at) {
        if (OpcodeByteFromStored(storedBytes[at]) == kEndOpcode) {
            return at + 1;
        }
    }
    return std::nullopt;
}

}  // namespace motionlink::emulator
