// Gathers what a reader finds into exchange records, and guards the caller against the file: every
// coordinate must be finite and within kCoordinateLimitMm, and the output is capped, so a hostile file
// can neither poison the drawing nor exhaust memory. The first failure stops collection and keeps its
// reason.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "FileDraw.h"

namespace filebridge {

class DrawingCollector {
  public:
    static constexpr double kCoordinateLimitMm = 1'000'000.0;
    static constexpr std::size_t kDefaultSegmentLimit = 4'000'000;

    explicit DrawingCollector(std::size_t segmentLimit = kDefaultSegmentLimit)
        : segmentLimit_(segmentLimit) {}

    // Path building, in mm. MoveTo ends the curve in progress.
    void MoveTo(SDPoint point);
    void LineTo(SDPoint point);
    void CurveTo(SDPoint control1, SDPoint control2, SDPoint point);
    // Joins the end back to the start with a line when they differ.
    void ClosePath();
    // The colour of the curve in progress and of those that follow.
    void SetColour(std::uint32_t colour) { colour_ = colour; }
    // Hands the curve in progress over as a record; an empty curve is dropped.
    void EndCurve();
    // A whole curve at once; its segments are checked like those built point by point.
    void AddCurve(const std::vector<CFileLine>& segments, std::uint32_t colour);

    void AddPoint(SDPoint point, std::uint32_t colour);
    void AddBitmap(std::unique_ptr<CFileDib> bitmap);

    // An entity the file holds that could not be drawn: it is named, so that the user hears of it rather
    // than cutting a job without it. The first kMaxNamedLeftOut are named; all are counted.
    void LeaveOut(std::string description);
    const std::vector<std::string>& LeftOutNames() const { return leftOut_; }
    std::size_t LeftOutCount() const { return leftOutCount_; }
    static constexpr std::size_t kMaxNamedLeftOut = 20;

    // Stops collecting; the first reason is kept. Returns false so readers can `return Fail(..)`.
    bool Fail(std::string reason);
    bool Failed() const { return !failure_.empty(); }
    const std::string& Failure() const { return failure_; }
    std::size_t SegmentsLeft() const { return segmentLimit_ - segments_; }
    bool IsOpenCurve() const { return !current_.empty(); }

    std::vector<std::unique_ptr<CFileDraw>> TakeRecords();

  private:
    bool Accept(SDPoint point);
    bool Reserve(std::size_t count);

    std::size_t segmentLimit_;
    std::size_t segments_ = 0;
    std::vector<CFileLine> current_;
    std::uint32_t colour_ = 0;
    SDPoint pen_{};
    SDPoint start_{};
    std::vector<std::unique_ptr<CFileDraw>> records_;
    std::string failure_;
    std::vector<std::string> leftOut_;
    std::size_t leftOutCount_ = 0;
};

}  // namespace filebridge
