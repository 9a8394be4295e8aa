// The merge of two closed curves into the outline of their union: the outlines are cut where they
// cross, the sections of each that run inside the other are removed, the rest are joined end to end
// and the largest loop is kept (holes of the union are dropped).
#pragma once

#include <memory>
#include <vector>

#include "BoxTree.h"
#include "DbList.h"
#include "LineEx.h"
#include "MyCurve.h"
#include "PointInRing.h"
#include "RectEx.h"
#include "SegmentGeometry.h"

namespace pathsmith {

// A curve's outline prepared once for the merges it takes part in: its vertex ring (the start of
// every segment and the end of the last), its rectangle, a tree over its edges and its inside test.
class MergeOutline {
  public:
    explicit MergeOutline(const CDbList<CLineEx>& segments);
    // The outline of a merge's result, straight from its vertex ring (at least two vertices).
    explicit MergeOutline(std::vector<SDPoint> ring);

    const std::vector<SDPoint>& Ring() const { return ring_; }
    const CRectEx& Rect() const { return rect_; }
    const BoxTree& Edges() const { return edges_; }
    const PointInRing& Interior() const { return interior_; }
    Box BoundsBox() const { return bounds_; }

  private:
    std::vector<SDPoint> ring_;
    CRectEx rect_;
    Box bounds_;
    BoxTree edges_;
    PointInRing interior_;
};

// The vertex ring of the outline of the union of the two curves, or none (fewer than two vertices)
// when they do not cross (curves apart, touching or nested) or no section of either lies inside the
// other.
std::vector<SDPoint> MergedRing(const MergeOutline& first, const MergeOutline& second);

}  // namespace pathsmith
