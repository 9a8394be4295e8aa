// The dot job: the plate's generated pattern and the processing parameters turned into a controller
// job through the job-writing calls, written to a job file or streamed into the open connection.
#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

#include "LgpJobFrame.h"
#include "LgpParams.h"
#include "LgpPlate.h"

namespace motionlink {
class JobSink;
}

namespace dotplate {

// What one job is made of. The plate and the outline list are borrowed for the job's length.
struct LgpDotJob {
    const CLgpPlate* plate = nullptr;
    const LgpCurveList* outlines = nullptr;  // what the outline cut follows
    LgpLaserPara laser;
    LgpJobFrame frame;
    std::vector<ReverseIntervalRow> reverseIntervals;  // sorted by speed
};

// Writes one work block: the dot layer with the emitter of the dot mode, then, when outline cutting
// is on, the outline layer. The progress ratio runs from start to start + range.
class LgpJobWriter {
  public:
    LgpJobWriter(const LgpDotJob& job, std::atomic<double>& progress) : job_(job), progress_(progress) {}

    // 1, or 0 when a job-writing call failed.
    int WriteLgpBlock(double start, double range);

  private:
    bool WriteDotLayerHead();
    bool WriteOutlineLayerHead();
    bool EmitDots(double start, double range);
    bool EmitHorizontalLines(bool withVerticals, double start, double range);
    bool EmitVerticalLines();
    bool EmitGrid();
    bool EmitEllipseToDot(double start, double range);
    bool EmitScan(double start, double range);
    bool EmitOutlineCut();
    // Strokes along the runs of marked cells of 0.01 mm from spanStart, the way the row runs, each
    // shifted by half the reverse interval against the head's overshoot.
    bool EmitRuns(const std::vector<std::uint8_t>& cells, std::size_t first, std::size_t last, double spanStart,
                  double y, bool forward);
    bool MoveTo(double x, double y);
    bool LineTo(double x, double y);
    void ReportRow(double start, double range, std::size_t row) const;

    const LgpDotJob& job_;
    std::atomic<double>& progress_;
    // The running position cells of the block, which the job-writing calls keep.
    std::int32_t cellX_ = 0;
    std::int32_t cellY_ = 0;
};

// The whole job on the sink (a job file, or null for the open connection): header, frame, one work
// block and the file end. 0 when every call succeeded; 1 at the first that failed, and then the job
// is left unended, so that a job file keeps its earlier content and a controller never runs a part.
int WriteDotJob(const LgpDotJob& job, motionlink::JobSink* sink, std::atomic<double>& progress);

}  // namespace dotplate
