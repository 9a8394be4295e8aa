// Loading and mirroring of the previewed job.
#include "PreviewJob.h"

#include <cmath>

#include "JobLoading.h"

namespace simscope {
namespace {

constexpr double kStartSpeedMmPerS = 100.0;

// Comparisons rather than fmin and fmax: inlined on a job of millions of points, and a NaN coordinate
// is passed over all the same.
void Widen(JobBox& box, double x, double y) {
    if (x < box.minX) {
        box.minX = x;
    }
    if (x > box.maxX) {
        box.maxX = x;
    }
    if (y < box.minY) {
        box.minY = y;
    }
    if (y > box.maxY) {
        box.maxY = y;
    }
}

}  // namespace

JobSurvey SurveyJob(std::span<const jobscan::JobRecord> records, Corner corner, double defaultSpeed) {
    JobSurvey survey;
    JobTotals& totals = survey.totals;
    JobBox& box = survey.box;
    double speed = kStartSpeedMmPerS;
    MmPoint previous;
    bool anyMotion = false;
    WalkCommands(records, FeedShiftSign(corner), [&](const JobCommand& command, double feedShift) {
        ++survey.commandCount;
        switch (command.kind) {
            case JobCommand::Speed:
                speed = command.a > 0.0 ? command.a : defaultSpeed;
                break;
            case JobCommand::Move:
            case JobCommand::Cut: {
                const double dx = previous.x - command.a;
                const double dy = previous.y - command.b;
                const double distance = std::sqrt(dy * dy + dx * dx);
                const double seconds = distance / speed;
                totals.totalSeconds += seconds;
                if (command.kind == JobCommand::Cut) {
                    totals.laserOnSeconds += seconds;
                    totals.workMm += distance;
                } else {
                    totals.travelMm += distance;
                }
                previous = {command.a, command.b};
                const double shiftedY = command.b + feedShift;
                if (!anyMotion) {
                    box = {command.a, command.a, shiftedY, shiftedY};
                    anyMotion = true;
                }
                Widen(box, command.a, shiftedY);
                break;
            }
            case JobCommand::Delay:
                totals.laserOnSeconds += command.a;
                totals.totalSeconds += command.a;
                break;
            default:
                break;
        }
    });
    if (!anyMotion) {
        box = JobBox{};
        return survey;
    }
    box.minX = std::fmin(box.minX, 0.0);
    box.minY = std::fmin(box.minY, 0.0);
    box.maxX = std::fmax(box.maxX, 0.0);
    box.maxY = std::fmax(box.maxY, 0.0);
    return survey;
}

bool PreviewJob::Load(const std::string& utf8Path, Corner corner, double defaultSpeed, std::uint16_t readerFlag) {
    if (!LoadJobRecords(utf8Path, readerFlag, spare_)) {
        return false;
    }
    records_.swap(spare_);
    Survey(corner, defaultSpeed);
    return true;
}

void PreviewJob::Take(const std::vector<JobCommand>& commands, Corner corner, double defaultSpeed) {
    std::vector<jobscan::JobRecord> records(commands.size());
    for (std::size_t index = 0; index < commands.size(); ++index) {
        records[index].kind = commands[index].kind;
        records[index].a = commands[index].a;
        records[index].b = commands[index].b;
    }
    Take(std::move(records), corner, defaultSpeed);
}

void PreviewJob::Take(std::vector<jobscan::JobRecord> records, Corner corner, double defaultSpeed) {
    records_ = std::move(records);
    Survey(corner, defaultSpeed);
}

void PreviewJob::Survey(Corner corner, double defaultSpeed) {
    feedShiftSign_ = FeedShiftSign(corner);
    const JobSurvey survey = SurveyJob(records_, corner, defaultSpeed);
    totals_ = survey.totals;
    box_ = survey.box;
    commandCount_ = survey.commandCount;
    mirrors_ = {MirrorsHorizontally(corner), MirrorsVertically(corner), box_.minX + box_.maxX,
                box_.minY + box_.maxY};
}

}  // namespace simscope
