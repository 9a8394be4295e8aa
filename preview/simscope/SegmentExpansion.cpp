// Expansion of the job into playback steps.
#include "SegmentExpansion.h"

#include <cmath>

namespace simscope {
namespace {

constexpr double kStepSeconds = 0.1;
constexpr double kStartSpeedMmPerS = 100.0;

}  // namespace

bool ExpandSegment(MmPoint from, MmPoint to, std::uint16_t pointKind, double speed, const PutItem& put) {
    const double length = std::hypot(from.x - to.x, from.y - to.y);
    const double seconds = length / speed;
    const SegmentItem end{pointKind, to.x, to.y};
    if (!(seconds > kStepSeconds)) {
        return put({SegmentItem::TimeStep, seconds, 0.0}) && put(end);
    }
    const double step = speed * kStepSeconds;
    const double dx = to.x - from.x;
    const double dy = to.y - from.y;
    const double steps = std::trunc(seconds * 10.0);
    for (double i = 1.0; i <= steps; i += 1.0) {
        if (!put({SegmentItem::TimeStep, kStepSeconds, 0.0}) ||
            !put({pointKind, from.x + (i * dx * step) / length, from.y + (dy * i * step) / length})) {
            return false;
        }
    }
    if (steps * kStepSeconds != seconds) {
        return put({SegmentItem::TimeStep, seconds - steps * kStepSeconds, 0.0}) && put(end);
    }
    return true;
}

bool ExpandJob(const PreviewJob& job, const std::function<double()>& defaultSpeed, const PutItem& put) {
    const MmPoint start = job.Start();
    MmPoint current = start;
    double speed = kStartSpeedMmPerS;
    const bool whole = job.ForEachCommand([&](const JobCommand& command) {
        switch (command.kind) {
            case JobCommand::Speed:
                speed = command.a > 0.0 ? command.a : defaultSpeed();
                return put({SegmentItem::Speed, speed, 0.0});
            case JobCommand::Power:
                return put({SegmentItem::Power, command.a, 0.0});
            case JobCommand::Move:
            case JobCommand::Cut: {
                const MmPoint target = job.PlacedOf(command);
                const std::uint16_t kind =
                    command.kind == JobCommand::Cut ? SegmentItem::CutPoint : SegmentItem::MovePoint;
                const bool accepted = ExpandSegment(current, target, kind, speed, put);
                current = target;
                return accepted;
            }
            case JobCommand::Delay:
                return put({SegmentItem::TimeStep, command.a, 0.0});
            default:
                return true;
        }
    });
    return whole && put({SegmentItem::MovePoint, start.x, start.y});
}

}  // namespace simscope
