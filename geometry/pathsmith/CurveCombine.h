// The merge of two closed curves into the outline of their union: the outlines are cut where they
// cross, the sections of each that run inside the other are removed, the rest are joined end to end
// and the largest loop is kept (holes of the union are dropped).
#pragma once

#include <memory>
#include <vector>

#include "DbList.h"
#include "LineEx.h"
#include "PointInRing.h"
#include "RectEx.h"
#include "SegmentGeometry.h"

namespace pathsmith {

// Outlines whose rectangles are further apart than this in x or in y never merge: the rectangles
// neither meet nor hold one another, however they are rounded.
inline constexpr double kMergeReach = 0.02;

// A curve's outline prepared once for the merges it takes part in: its vertex ring (the start of
// every segment and the end of the last), its rectangle and its inside test, whose index also finds
// the edges near a box.
class MergeOutline {
  public:
    explicit MergeOutline(const CDbList<CLineEx>& segments);

    const std::vector<SDPoint>& Ring() const { return interior_.Ring(); }
    const CRectEx& Rect() const { return rect_; }
    const PointInRing& Interior() const { return interior_; }
    Box BoundsBox() const { return interior_.Bounds(); }

    // The outline becomes a merge's result, the vertex ring in `ring` (at least two vertices); `ring`
    // receives the previous vertex ring, whose storage the next merge writes into.
    void SwapRing(std::vector<SDPoint>& ring);

  private:
    CRectEx rect_;
    PointInRing interior_;
};

// Merges outlines one pair after another in working storage that it keeps between the merges.
class OutlineMerger {
  public:
    OutlineMerger();
    ~OutlineMerger();
    OutlineMerger(const OutlineMerger&) = delete;
    OutlineMerger& operator=(const OutlineMerger&) = delete;

    // The vertex ring of the outline of the union of the two curves into `merged`, true; false when
    // they do not cross (curves apart, touching or nested) or no section of either lies inside the
    // other.
    bool Merge(const MergeOutline& first, const MergeOutline& second, std::vector<SDPoint>& merged);

  private:
    struct Work;
    std::unique_ptr<Work> work_;
};

}  // namespace pathsmith
