// Spikes, seam and sliver rings of the offset's output.
#include "RingFinish.h"

#include <algorithm>
#include <cmath>

namespace pathsmith {

namespace {

// The path runs from `before` to `tip` and straight back along itself towards `after`: the two legs
// point apart and the shorter one ends within kCoincidence of the longer one's line.
bool IsSpike(SDPoint before, SDPoint tip, SDPoint after) {
    const double ux = tip.x - before.x, uy = tip.y - before.y;
    const double wx = after.x - tip.x, wy = after.y - tip.y;
    if (ux * wx + uy * wy >= 0.0) {
        return false;
    }
    const double longer = std::max(std::hypot(ux, uy), std::hypot(wx, wy));
    return std::fabs(ux * wy - uy * wx) <= kCoincidence * longer;
}

// Takes the last vertex pushed onto the walk back out while it is the tip of a spike or repeats the
// vertex before it.
void PopSpikes(ScratchVector<SDPoint>& walk) {
    while (walk.size() >= 2) {
        const std::size_t size = walk.size();
        if (CoincideInXAndY(walk[size - 1], walk[size - 2])) {
            walk.pop_back();
        } else if (size >= 3 && IsSpike(walk[size - 3], walk[size - 2], walk[size - 1])) {
            walk.erase(walk.end() - 2);
        } else {
            return;
        }
    }
}

// The closed vertex cycle (no repeated closing vertex) without spikes, also across the seam.
ScratchVector<SDPoint> WithoutSpikes(const ScratchVector<SDPoint>& cycle) {
    ScratchVector<SDPoint> walk;
    walk.reserve(cycle.size());
    for (const SDPoint& vertex : cycle) {
        walk.push_back(vertex);
        PopSpikes(walk);
    }
    // Around the seam the walk's end and its start are neighbours; a spike there is taken out from
    // whichever side holds its tip, which may uncover another.
    std::size_t front = 0;
    bool changed = true;
    while (changed && walk.size() - front >= 3) {
        changed = false;
        const std::size_t last = walk.size() - 1;
        if (CoincideInXAndY(walk[last], walk[front]) || IsSpike(walk[last - 1], walk[last], walk[front])) {
            walk.pop_back();
            changed = true;
        } else if (IsSpike(walk[last], walk[front], walk[front + 1])) {
            ++front;
            changed = true;
        }
    }
    walk.erase(walk.begin(), walk.begin() + static_cast<std::ptrdiff_t>(front));
    return walk;
}

double TwiceArea(const ScratchVector<SDPoint>& cycle) {
    double twice = 0.0;
    for (std::size_t index = 0; index < cycle.size(); ++index) {
        const SDPoint a = cycle[index], b = cycle[NextAround(index, cycle.size())];
        twice += a.x * b.y - b.x * a.y;
    }
    return twice;
}

double Perimeter(const ScratchVector<SDPoint>& cycle) {
    double length = 0.0;
    for (std::size_t index = 0; index < cycle.size(); ++index) {
        length += Distance(cycle[index], cycle[NextAround(index, cycle.size())]);
    }
    return length;
}

// The sum of the sides' lengths along x and along y, an upper bound of the perimeter.
double TaxicabPerimeter(const ScratchVector<SDPoint>& cycle) {
    double length = 0.0;
    for (std::size_t index = 0; index < cycle.size(); ++index) {
        const SDPoint a = cycle[index], b = cycle[NextAround(index, cycle.size())];
        length += std::fabs(b.x - a.x) + std::fabs(b.y - a.y);
    }
    return length;
}

bool IsSliver(const ScratchVector<SDPoint>& cycle) {
    if (cycle.size() < 3) {
        return true;
    }
    const double twiceArea = std::fabs(TwiceArea(cycle));
    // Most rings hold far more than the tolerance; their perimeter's square roots are spared. The
    // slack covers the rounding of both sums many times over.
    if (twiceArea >= 2.0 * kRingAreaPerLength * TaxicabPerimeter(cycle) * (1.0 + 1e-6)) {
        return false;
    }
    return twiceArea < 2.0 * kRingAreaPerLength * Perimeter(cycle);
}

}  // namespace

ScratchVector<SDPoint> FinishedClosedRing(ScratchVector<SDPoint> ring) {
    if (ring.size() < 2) {
        return {};
    }
    if (Distance(ring.front(), ring.back()) > kSeamTolerance) {
        return {};
    }
    ring.pop_back();
    ScratchVector<SDPoint> cycle = WithoutSpikes(ring);
    if (IsSliver(cycle)) {
        return {};
    }
    cycle.push_back(cycle.front());
    return cycle;
}

}  // namespace pathsmith
