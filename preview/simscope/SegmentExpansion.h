// The producer's work: the job expanded into timed steps, one point per 0.1 s of job time, each point
// preceded by the job time that leads to it.
#pragma once

#include <functional>

#include "PreviewJob.h"
#include "SegmentQueue.h"

namespace simscope {

// Receives each item in order; false stops the expansion.
using PutItem = std::function<bool(const SegmentItem&)>;

// The steps from `from` to `to` at `speed` mm/s: a segment of at most 0.1 s is one step and its end point;
// a longer one is cut into 0.1 s steps along it and a last shorter step when the time is not a whole
// number of steps. False when `put` refused an item.
bool ExpandSegment(MmPoint from, MmPoint to, std::uint16_t pointKind, double speed, const PutItem& put);

// The whole job from its start point and back to it; speeds not above 0 take `defaultSpeed()`, read at
// each use so that a change takes effect at once. False when `put` refused an item.
bool ExpandJob(const PreviewJob& job, const std::function<double()>& defaultSpeed, const PutItem& put);

}  // namespace simscope
