// Loading and mirroring of the previewed job.
#include "PreviewJob.h"

#include <cmath>

#include "JobLoading.h"

namespace simscope {
namespace {

constexpr double kStartSpeedMmPerS = 100.0;

bool IsMotion(const JobCommand& command) {
    return command.kind == JobCommand::Move || command.kind == JobCommand::Cut;
}

}  // namespace

JobTotals MeasureJob(const std::vector<JobCommand>& commands, double defaultSpeed) {
    JobTotals totals;
    double speed = kStartSpeedMmPerS;
    MmPoint previous;
    for (const JobCommand& command : commands) {
        switch (command.kind) {
            case JobCommand::Speed:
                speed = command.a > 0.0 ? command.a : defaultSpeed;
                break;
            case JobCommand::Move:
            case JobCommand::Cut: {
                const double distance = std::hypot(previous.x - command.a, previous.y - command.b);
                const double seconds = distance / speed;
                totals.totalSeconds += seconds;
                if (command.kind == JobCommand::Cut) {
                    totals.laserOnSeconds += seconds;
                    totals.workMm += distance;
                } else {
                    totals.travelMm += distance;
                }
                previous = {command.a, command.b};
                break;
            }
            case JobCommand::Delay:
                totals.laserOnSeconds += command.a;
                totals.totalSeconds += command.a;
                break;
            default:
                break;
        }
    }
    return totals;
}

JobBox ShiftFeedsAndMeasureBox(std::vector<JobCommand>& commands, Corner corner) {
    const double sign = FeedShiftSign(corner);
    double offset = 0.0;
    bool any = false;
    JobBox box;
    for (JobCommand& command : commands) {
        if (command.kind == JobCommand::AxisMove) {
            offset += std::fabs(command.b) * sign;
            continue;
        }
        if (!IsMotion(command)) {
            continue;
        }
        command.b += offset;
        if (!any) {
            box = {command.a, command.a, command.b, command.b};
            any = true;
            continue;
        }
        box.minX = std::fmin(box.minX, command.a);
        box.maxX = std::fmax(box.maxX, command.a);
        box.minY = std::fmin(box.minY, command.b);
        box.maxY = std::fmax(box.maxY, command.b);
    }
    if (!any) {
        return JobBox{};
    }
    box.minX = std::fmin(box.minX, 0.0);
    box.minY = std::fmin(box.minY, 0.0);
    box.maxX = std::fmax(box.maxX, 0.0);
    box.maxY = std::fmax(box.maxY, 0.0);
    return box;
}

bool PreviewJob::Load(const std::string& utf8Path, Corner corner, double defaultSpeed, std::uint16_t readerFlag) {
    std::optional<std::vector<JobCommand>> commands = LoadJobCommands(utf8Path, readerFlag);
    if (!commands) {
        return false;
    }
    Take(std::move(*commands), corner, defaultSpeed);
    return true;
}

void PreviewJob::Take(std::vector<JobCommand> commands, Corner corner, double defaultSpeed) {
    commands_ = std::move(commands);
    totals_ = MeasureJob(commands_, defaultSpeed);
    box_ = ShiftFeedsAndMeasureBox(commands_, corner);
    mirrors_ = {MirrorsHorizontally(corner), MirrorsVertically(corner), box_.minX + box_.maxX,
                box_.minY + box_.maxY};
}

}  // namespace simscope
