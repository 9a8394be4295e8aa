// A loaded job as the preview holds it: its commands (feed shifts applied in place), the mirrors, the
// totals measured over the commands as read, the job box and the start point of the playback.
//
// Mirrors are kept as a pair of flags applied whenever a point is read rather than written into the
// records: mirroring twice then gives back every coordinate bit for bit, which 2c - (2c - x) in floating
// point does not.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "CornerCode.h"
#include "DbList.h"
#include "JobCommand.h"

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

// The commands of a job in order, walked in place in the reader's list.
class JobCommands {
  public:
    using Node = CDbList<JobCommand>::Node;

    class Iterator {
      public:
        explicit Iterator(Node* node) : node_(node) {}
        JobCommand& operator*() const { return node_->value; }
        JobCommand* operator->() const { return &node_->value; }
        Iterator& operator++() {
            node_ = node_->next;
            return *this;
        }
        friend bool operator==(const Iterator&, const Iterator&) = default;

      private:
        Node* node_;
    };

    explicit JobCommands(const CDbList<JobCommand>& list) : head_(list.head) {}
    Iterator begin() const { return Iterator(head_->next); }
    Iterator end() const { return Iterator(head_); }
    bool empty() const { return head_->next == head_; }

  private:
    Node* head_;
};

struct JobSurvey {
    JobTotals totals;
    JobBox box;
};

// One pass over the commands, which a large job needs: the times and distances of the records as read
// (moves and cuts at the speed in force, starting at 100 mm/s; a speed not above 0 means
// `defaultSpeed`; delays as laser-on time), then the running feed shift of the AxisMove records added
// to the y of every later move and cut, and the box of all moves and cuts widened to hold the origin;
// (0, 0)-(100, 100) without any.
JobSurvey SurveyJob(JobCommands commands, Corner corner, double defaultSpeed);

class PreviewJob {
  public:
    // Reads, measures, shifts and mirrors a job; false (the job unchanged) when nothing could be read.
    bool Load(const std::string& utf8Path, Corner corner, double defaultSpeed, std::uint16_t readerFlag);
    // The same steps on commands already decoded.
    void Take(CDbList<JobCommand> commands, Corner corner, double defaultSpeed);
    void Take(const std::vector<JobCommand>& commands, Corner corner, double defaultSpeed);

    // x becomes 2c - x about the box's middle, for every move, cut and the start point; the box stays.
    void MirrorHorizontally() { mirrors_.horizontal = !mirrors_.horizontal; }
    void MirrorVertically() { mirrors_.vertical = !mirrors_.vertical; }

    bool IsEmpty() const { return commands_.IsEmpty() != 0; }
    // Records as read with the feed shifts; moves and cuts are placed through PlacedOf.
    JobCommands Commands() const { return JobCommands(commands_); }
    std::size_t CommandCount() const { return static_cast<std::size_t>(commands_.count); }
    const Mirrors& CurrentMirrors() const { return mirrors_; }
    MmPoint PlacedOf(const JobCommand& motion) const { return mirrors_.Apply({motion.a, motion.b}); }
    const JobTotals& Totals() const { return totals_; }
    const JobBox& Box() const { return box_; }
    MmPoint Start() const { return mirrors_.Apply({}); }

  private:
    CDbList<JobCommand> commands_;
    JobTotals totals_;
    JobBox box_;
    Mirrors mirrors_;
};

}  // namespace simscope
