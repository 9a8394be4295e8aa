// The inside test of a point against a closed vertex ring by its winding angle: the signed angles
// that the ring's edges subtend at the point add up to a full turn (within a degree) inside. Away
// from the outline the sum is a whole number of turns, so large rings count edge crossings of a ray
// through a box tree and only points on or next to the outline pay for the full sum.
#pragma once

#include <memory>
#include <vector>

#include "BoxTree.h"
#include "SegmentGeometry.h"

namespace pathsmith {

class PointInRing {
  public:
    // The ring is circular: its last vertex is joined back to its first.
    explicit PointInRing(std::vector<SDPoint> ring);

    bool Inside(SDPoint p) const;

    const Box& Bounds() const { return bounds_; }

  private:
    bool InsideByAngleSum(SDPoint p) const;
    bool NearOutline(SDPoint p) const;
    int WindingNumber(SDPoint p) const;
    Chord Edge(int index) const {
        return {ring_[index], ring_[(index + 1) % static_cast<int>(ring_.size())]};
    }

    std::vector<SDPoint> ring_;
    Box bounds_{0.0, 0.0, 0.0, 0.0};
    std::unique_ptr<BoxTree> edges_;  // only for rings large enough to need it
};

}  // namespace pathsmith
