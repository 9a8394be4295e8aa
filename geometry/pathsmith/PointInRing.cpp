// Winding-angle inside test with a fast path for points away from the outline.
#include "PointInRing.h"

#include <algorithm>
#include <cmath>

namespace pathsmith {

namespace {

// Points this close to an edge get the full angle sum, where rounding decides.
constexpr double kNearOutline = 1e-6;
constexpr double kDegreesPerRadian = 57.29577951308232;

}  // namespace

PointInRing::PointInRing(std::vector<SDPoint> ring) : ring_(std::move(ring)) {
    Index();
}

void PointInRing::SwapRing(std::vector<SDPoint>& ring) {
    ring_.swap(ring);
    Index();
}

void PointInRing::Index() {
    if (ring_.empty()) {
        bounds_ = {0.0, 0.0, 0.0, 0.0};
        return;
    }
    if (UsesTree()) {
        // Every vertex starts an edge, so the edges' boxes together bound the ring.
        edges_.Rebuild(static_cast<int>(ring_.size()), [&](int index) { return BoxOf(Edge(index)); });
        bounds_ = edges_.Bounds();
        return;
    }
    bounds_ = {ring_[0].x, ring_[0].y, ring_[0].x, ring_[0].y};
    for (const SDPoint& p : ring_) {
        bounds_.minX = std::min(bounds_.minX, p.x);
        bounds_.minY = std::min(bounds_.minY, p.y);
        bounds_.maxX = std::max(bounds_.maxX, p.x);
        bounds_.maxY = std::max(bounds_.maxY, p.y);
    }
}

bool PointInRing::Inside(SDPoint p) const {
    if (ring_.empty() || !bounds_.Contains(p)) {
        return false;
    }
    if (!UsesTree() || NearOutline(p)) {
        return InsideByAngleSum(p);
    }
    return std::abs(WindingNumber(p)) == 1;
}

bool PointInRing::InsideByAngleSum(SDPoint p) const {
    double sum = 0.0;
    for (int index = 0; index < static_cast<int>(ring_.size()); ++index) {
        const Chord edge = Edge(index);
        sum += SignedAngle(edge.start, edge.end, p);
    }
    return std::fabs(std::fabs(sum) - kFullTurn) * kDegreesPerRadian < 1.0;
}

bool PointInRing::NearOutline(SDPoint p) const {
    return edges_.Search(BoxAround(p, kNearOutline),
                         [&](int index) { return DistanceToChord(p, Edge(index)) <= kNearOutline; });
}

// Signed crossings of the edges with the ray from p towards +x.
int PointInRing::WindingNumber(SDPoint p) const {
    int winding = 0;
    const Box ray{p.x, p.y, bounds_.maxX + 1.0, p.y};
    edges_.Search(ray, [&](int index) {
        const Chord edge = Edge(index);
        const double side = (edge.end.x - edge.start.x) * (p.y - edge.start.y) -
                            (p.x - edge.start.x) * (edge.end.y - edge.start.y);
        if (edge.start.y <= p.y && edge.end.y > p.y && side > 0.0) {
            ++winding;
        } else if (edge.start.y > p.y && edge.end.y <= p.y && side < 0.0) {
            --winding;
        }
        return false;
    });
    return winding;
}

}  // namespace pathsmith
