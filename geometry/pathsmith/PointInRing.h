// The inside test of a point against a closed vertex ring by its winding angle: the signed angles
// that the ring's edges subtend at the point add up to a full turn (within a degree) inside. Away
// from the outline the sum is a whole number of turns, so large rings count edge crossings of a ray
// through a box tree and only points on or next to the outline pay for the full sum.
#pragma once

#include <vector>

#include "BoxTree.h"
#include "SegmentGeometry.h"

namespace pathsmith {

class PointInRing {
  public:
    PointInRing() = default;
    // The ring is circular: its last vertex is joined back to its first.
    explicit PointInRing(std::vector<SDPoint> ring);

    // Takes over `ring` and hands the previous ring back in it, so that its storage serves again.
    void SwapRing(std::vector<SDPoint>& ring);

    bool Inside(SDPoint p) const;

    const Box& Bounds() const { return bounds_; }
    const std::vector<SDPoint>& Ring() const { return ring_; }

    // Calls visit(index) for every edge whose box overlaps the query, in ascending order, until visit
    // returns true; edge i runs from vertex i to the next, the last edge back to the first vertex.
    template <typename Visit>
    bool SearchEdges(const Box& query, Visit&& visit) const {
        if (UsesTree()) {
            return edges_.Search(query, visit);
        }
        for (int index = 0; index < static_cast<int>(ring_.size()); ++index) {
            if (BoxOf(Edge(index)).Overlaps(query) && visit(index)) {
                return true;
            }
        }
        return false;
    }

  private:
    // Rings with fewer edges than this are summed directly and searched edge by edge.
    static constexpr int kDirectSumEdges = 64;

    bool UsesTree() const { return static_cast<int>(ring_.size()) >= kDirectSumEdges; }
    void Index();
    bool InsideByAngleSum(SDPoint p) const;
    bool NearOutline(SDPoint p) const;
    int WindingNumber(SDPoint p) const;
    Chord Edge(int index) const {
        return {ring_[index], ring_[index + 1 < static_cast<int>(ring_.size()) ? index + 1 : 0]};
    }

    std::vector<SDPoint> ring_;
    Box bounds_{0.0, 0.0, 0.0, 0.0};
    BoxTree edges_;  // built only for rings large enough to need it
};

}  // namespace pathsmith
