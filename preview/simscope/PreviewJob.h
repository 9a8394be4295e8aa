// A loaded job as the preview holds it: its records in the reader's bulk form (a ramped cut one record,
// expanded into its steps only while a walk passes it, so a scan job costs a twentieth of the memory),
// the mirrors, the totals measured over the commands as read, the job box and the start point of the
// playback. Feed shifts are added to the points as they are walked, like the mirrors.
//
// Mirrors are kept as a pair of flags applied whenever a point is read rather than written into the
// records: mirroring twice then gives back every coordinate bit for bit, which 2c - (2c - x) in floating
// point does not.
#pragma once

#include <cmath>
#include <cstdint>
#include <span>
#include <string>
#include <type_traits>
#include <vector>

#include "CornerCode.h"
#include "JobCommand.h"
#include "JobDecoder.h"
#include "JobRecord.h"

namespace simscope {

struct JobTotals {
    double totalSeconds = 0.0;
    double laserOnSeconds = 0.0;
    double travelMm = 0.0;
    double workMm = 0.0;
};

// In mm; always holds the origin.
struct JobBox {
    double minX = 0.0;
    double maxX = 100.0;
    double minY = 0.0;
    double maxY = 100.0;

    double Width() const { return maxX - minX; }
    double Height() const { return maxY - minY; }
};

struct MmPoint {
    double x = 0.0;
    double y = 0.0;
};

// Reflections about the middle of the job box, each switched on or off.
struct Mirrors {
    bool horizontal = false;
    bool vertical = false;
    double twiceCentreX = 0.0;  // minX + maxX
    double twiceCentreY = 0.0;

    MmPoint Apply(MmPoint point) const {
        return {horizontal ? twiceCentreX - point.x : point.x, vertical ? twiceCentreY - point.y : point.y};
    }
};

// Walks the records in order as the reader's list holds them, a ramp as its twenty steps, handing
// `visit` each command as read with the feed shift in force at it: the AxisMove records before it,
// each adding |distance| times `shiftSign` to y. A visit that returns bool ends the walk on false; the
// walk then returns false.
template <typename Visit>
bool WalkCommands(std::span<const jobscan::JobRecord> records, double shiftSign, Visit&& visit) {
    constexpr bool kCanStop = std::is_same_v<std::invoke_result_t<Visit&, const JobCommand&, double>, bool>;
    double feedShift = 0.0;
    bool going = true;
    const auto visitOne = [&](const JobCommand& command) {
        if constexpr (kCanStop) {
            going = going && visit(command, feedShift);
        } else {
            visit(command, feedShift);
        }
    };
    for (const jobscan::JobRecord& record : records) {
        if (record.kind == JobCommand::AxisMove) {
            feedShift += std::fabs(record.b) * shiftSign;
        }
        if (record.kind == jobscan::JobRecord::kPowerRamp) {
            jobscan::ExpandRecord(record, visitOne);
        } else {
            visitOne(JobCommand{record.kind, record.a, record.b});
        }
        if (!going) {
            return false;
        }
    }
    return true;
}

struct JobSurvey {
    JobTotals totals;
    JobBox box;
    // Commands in the list form: a ramp counts its twenty steps.
    std::size_t commandCount = 0;
};

// One pass over the commands, which a large job needs: the times and distances of the records as read
// (moves and cuts at the speed in force, starting at 100 mm/s; a speed not above 0 means
// `defaultSpeed`; delays as laser-on time), then the running feed shift of the AxisMove records added
// to the y of every later move and cut, and the box of all moves and cuts widened to hold the origin;
// (0, 0)-(100, 100) without any.
JobSurvey SurveyJob(std::span<const jobscan::JobRecord> records, Corner corner, double defaultSpeed);

class PreviewJob {
  public:
    // Reads, measures, shifts and mirrors a job; false (the job unchanged) when nothing could be read.
    // The job read before is kept to read the next one into: a preview opening job after job does not
    // fault in fresh pages for each.
    bool Load(const std::string& utf8Path, Corner corner, double defaultSpeed, std::uint16_t readerFlag);
    // The same steps on records or commands already decoded.
    void Take(std::vector<jobscan::JobRecord> records, Corner corner, double defaultSpeed);
    void Take(const std::vector<JobCommand>& commands, Corner corner, double defaultSpeed);

    // x becomes 2c - x about the box's middle, for every move, cut and the start point; the box stays.
    void MirrorHorizontally() { mirrors_.horizontal = !mirrors_.horizontal; }
    void MirrorVertically() { mirrors_.vertical = !mirrors_.vertical; }

    bool IsEmpty() const { return records_.empty(); }
    // Hands `visit` every command in the list form, ramps expanded, with the feed shifts added to the y
    // of moves and cuts; these are placed through PlacedOf. Ends early, returning false, as WalkCommands.
    template <typename Visit>
    bool ForEachCommand(Visit&& visit) const {
        return WalkCommands(records_, feedShiftSign_, [&visit](const JobCommand& command, double feedShift) {
            if (command.kind != JobCommand::Move && command.kind != JobCommand::Cut) {
                return visit(command);
            }
            return visit(JobCommand{command.kind, command.a, command.b + feedShift});
        });
    }
    std::span<const jobscan::JobRecord> Records() const { return records_; }
    // Commands in the list form: a ramp counts its twenty steps.
    std::size_t CommandCount() const { return commandCount_; }
    const Mirrors& CurrentMirrors() const { return mirrors_; }
    MmPoint PlacedOf(const JobCommand& motion) const { return mirrors_.Apply({motion.a, motion.b}); }
    const JobTotals& Totals() const { return totals_; }
    const JobBox& Box() const { return box_; }
    MmPoint Start() const { return mirrors_.Apply({}); }

  private:
    void Survey(Corner corner, double defaultSpeed);

    std::vector<jobscan::JobRecord> records_;
    std::vector<jobscan::JobRecord> spare_;
    double feedShiftSign_ = 0.0;
    std::size_t commandCount_ = 0;
    JobTotals totals_;
    JobBox box_;
    Mirrors mirrors_;
};

}  // namespace simscope
