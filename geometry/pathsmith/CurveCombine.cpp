// Curve combine: crossings, removal of the inner sections, joining of the chains.
#include "CurveCombine.h"

#include <algorithm>
#include <utility>

#include "Contours.h"
#include "CrossingSplitter.h"

namespace pathsmith {

namespace {

constexpr double kNestingTolerance = 0.01;

std::vector<SDPoint> VertexRing(const CDbList<CLineEx>& segments) {
    std::vector<SDPoint> ring;
    if (segments.IsEmpty()) {
        return ring;
    }
    for (const auto* node = segments.head->next; node != segments.head; node = node->next) {
        ring.push_back(node->value.p0);
    }
    ring.push_back(segments.head->prev->value.p1);
    return ring;
}

std::vector<Box> EdgeBoxes(const std::vector<SDPoint>& ring) {
    std::vector<Box> boxes;
    boxes.reserve(ring.size());
    for (std::size_t index = 0; index + 1 < ring.size(); ++index) {
        boxes.push_back(BoxOf({ring[index], ring[index + 1]}));
    }
    return boxes;
}

Box BoundsOf(const std::vector<SDPoint>& ring) {
    Box box{ring.empty() ? 0.0 : ring[0].x, ring.empty() ? 0.0 : ring[0].y, 0.0, 0.0};
    box.maxX = box.minX;
    box.maxY = box.minY;
    for (const SDPoint& p : ring) {
        box.minX = std::min(box.minX, p.x);
        box.minY = std::min(box.minY, p.y);
        box.maxX = std::max(box.maxX, p.x);
        box.maxY = std::max(box.maxY, p.y);
    }
    return box;
}

// A vertex ring after the crossings were inserted.
struct CutRing {
    std::vector<SDPoint> points;
    std::vector<char> crossing;
    std::vector<char> sectionStart;
    std::vector<char> removed;
};

// The edges of `near` (indices into the first ring) and every edge of the second ring, cut at their
// strict crossings in the order of a walk over every pair.
struct Crossings {
    CutRing first;
    CutRing second;
    int count = 0;
};

Crossings FindCrossings(const MergeOutline& a, const MergeOutline& b, const std::vector<int>& nearEdgesOfA) {
    const std::vector<SDPoint>& ringA = a.Ring();
    const std::vector<SDPoint>& ringB = b.Ring();
    // Local vertices: the ends of the near edges of A (shared where edges follow each other), then all of B.
    std::vector<SDPoint> points;
    std::vector<int> globalOfLocalA;
    std::vector<CrossingSplitter::Edge> edges;
    const std::size_t localCount = 2 * nearEdgesOfA.size() + ringB.size();
    points.reserve(localCount);
    globalOfLocalA.reserve(2 * nearEdgesOfA.size());
    edges.reserve(localCount);
    int previousEdge = -2;
    for (const int edge : nearEdgesOfA) {
        if (edge != previousEdge + 1) {
            globalOfLocalA.push_back(edge);
            points.push_back(ringA[edge]);
        }
        globalOfLocalA.push_back(edge + 1);
        points.push_back(ringA[edge + 1]);
        const int end = static_cast<int>(points.size()) - 1;
        edges.push_back({end - 1, end});
        previousEdge = edge;
    }
    const int firstOfB = static_cast<int>(points.size());
    const int edgesOfA = static_cast<int>(edges.size());
    points.insert(points.end(), ringB.begin(), ringB.end());
    for (int index = 0; index + 1 < static_cast<int>(ringB.size()); ++index) {
        edges.push_back({firstOfB + index, firstOfB + index + 1});
    }
    CrossingSplitter splitter(std::move(points), std::move(edges));
    splitter.SplitBetweenLists(edgesOfA, [](const Chord& p, const Chord& q, LineMeeting& meeting) {
        return ChordsCross(p, q) && IntersectLines(p, q, meeting);
    });

    Crossings result;
    result.count = splitter.CrossingCount();
    if (result.count == 0) {
        return result;
    }
    const auto& vertices = splitter.Vertices();
    auto append = [&](CutRing& ring, int vertex) {
        ring.points.push_back(vertices[vertex].point);
        ring.crossing.push_back(vertices[vertex].crossing ? 1 : 0);
    };
    // Ring A: its own vertices, with the inserted ones after the start of each near edge.
    std::vector<int> nearIndex(ringA.size(), -1);
    for (int local = 0; local < edgesOfA; ++local) {
        nearIndex[nearEdgesOfA[local]] = local;
    }
    std::vector<int> localOfGlobalA(ringA.size(), -1);
    for (int local = 0; local < static_cast<int>(globalOfLocalA.size()); ++local) {
        localOfGlobalA[globalOfLocalA[local]] = local;
    }
    for (int index = 0; index < static_cast<int>(ringA.size()); ++index) {
        if (localOfGlobalA[index] >= 0) {
            append(result.first, localOfGlobalA[index]);
        } else {
            result.first.points.push_back(ringA[index]);
            result.first.crossing.push_back(0);
        }
        if (index + 1 < static_cast<int>(ringA.size()) && nearIndex[index] >= 0) {
            const std::vector<int> along = splitter.VerticesAlong(nearIndex[index]);
            for (std::size_t k = 1; k < along.size(); ++k) {
                append(result.first, along[k]);
            }
        }
    }
    for (int index = 0; index + 1 < static_cast<int>(ringB.size()); ++index) {
        for (const int vertex : splitter.VerticesAlong(edgesOfA + index)) {
            append(result.second, vertex);
        }
    }
    append(result.second, firstOfB + static_cast<int>(ringB.size()) - 1);
    for (CutRing* ring : {&result.first, &result.second}) {
        ring->sectionStart.assign(ring->points.size(), 1);
        ring->removed.assign(ring->points.size(), 0);
    }
    return result;
}

// Removes the sections of the ring that lie inside the other outline; true when one was removed.
bool RemoveInnerSections(CutRing& ring, const PointInRing& other) {
    bool removedAny = false;
    const int last = static_cast<int>(ring.points.size()) - 1;
    int sectionFrom = 0;
    while (sectionFrom < last) {
        int sectionTo = sectionFrom + 1;
        while (sectionTo < last && !ring.crossing[sectionTo]) {
            ++sectionTo;
        }
        const SDPoint& from = ring.points[sectionFrom];
        const SDPoint probe = sectionTo == sectionFrom + 1 ? SDPoint{(from.x + ring.points[sectionTo].x) / 2,
                                                                     (from.y + ring.points[sectionTo].y) / 2}
                                                           : ring.points[sectionFrom + 1];
        if (other.Inside(probe)) {
            for (int index = sectionFrom + 1; index < sectionTo; ++index) {
                ring.removed[index] = 1;
            }
            ring.sectionStart[sectionTo] = 0;
            removedAny = true;
        }
        sectionFrom = sectionTo;
    }
    return removedAny;
}

struct OutlineChain {
    std::vector<SDPoint> points;
    bool joined = false;  // absorbed into another chain
};

void CutIntoChains(const CutRing& ring, std::vector<OutlineChain>& chains) {
    OutlineChain current;
    for (std::size_t index = 0; index < ring.points.size(); ++index) {
        if (ring.removed[index]) {
            continue;
        }
        if (!ring.sectionStart[index] && !current.points.empty()) {
            chains.push_back(std::move(current));
            current = OutlineChain{};
        }
        current.points.push_back(ring.points[index]);
    }
    if (!current.points.empty()) {
        chains.push_back(std::move(current));
    }
}

// Appends `tail` after `head`, the shared point once.
void AppendChain(std::vector<SDPoint>& head, const std::vector<SDPoint>& tail) {
    head.insert(head.end(), tail.begin() + 1, tail.end());
}

// Joins the second chain to the first when an end of one meets an end of the other.
bool TryJoin(OutlineChain& first, OutlineChain& second) {
    std::vector<SDPoint>& a = first.points;
    std::vector<SDPoint> b = second.points;
    if (CoincideInXAndY(a.back(), b.front())) {
        AppendChain(a, b);
    } else if (CoincideInXAndY(a.back(), b.back())) {
        std::reverse(b.begin(), b.end());
        AppendChain(a, b);
    } else if (CoincideInXAndY(a.front(), b.front())) {
        std::reverse(b.begin(), b.end());
        AppendChain(b, a);
        a = std::move(b);
    } else if (CoincideInXAndY(a.front(), b.back())) {
        AppendChain(b, a);
        a = std::move(b);
    } else {
        return false;
    }
    second.joined = true;
    return true;
}

void JoinChains(std::vector<OutlineChain>& chains) {
    for (bool joinedAny = true; joinedAny;) {
        joinedAny = false;
        for (std::size_t first = 0; first < chains.size(); ++first) {
            if (chains[first].joined) {
                continue;
            }
            for (std::size_t second = first + 1; second < chains.size(); ++second) {
                if (!chains[second].joined && TryJoin(chains[first], chains[second])) {
                    joinedAny = true;
                }
            }
        }
    }
}

double RectArea(const std::vector<SDPoint>& points) {
    const Box box = BoundsOf(points);
    return (box.maxX - box.minX) * (box.maxY - box.minY);
}

}  // namespace

MergeOutline::MergeOutline(const CDbList<CLineEx>& segments)
    : ring_(VertexRing(segments)),
      rect_(ContourRect(ChordsOf(segments))),
      bounds_(BoundsOf(ring_)),
      edges_(EdgeBoxes(ring_)),
      interior_(ring_) {}

MergeOutline::MergeOutline(std::vector<SDPoint> ring)
    : ring_(std::move(ring)), bounds_(BoundsOf(ring_)), edges_(EdgeBoxes(ring_)), interior_(ring_) {
    rect_ = CRectEx(bounds_.minX, bounds_.minY, bounds_.maxX, bounds_.maxY);
}

std::vector<SDPoint> MergedRing(const MergeOutline& first, const MergeOutline& second) {
    if (first.Ring().size() < 2 || second.Ring().size() < 2) {
        return {};
    }
    CRectEx firstRect = first.Rect(), secondRect = second.Rect();
    if (!RectsOverlap(firstRect, secondRect) && !firstRect.IsInclude(secondRect, kNestingTolerance) &&
        !secondRect.IsInclude(firstRect, kNestingTolerance)) {
        return {};
    }
    std::vector<int> nearEdges;
    first.Edges().Search(second.BoundsBox().Grown(kCoincidence), [&](int edge) {
        nearEdges.push_back(edge);
        return false;
    });
    std::sort(nearEdges.begin(), nearEdges.end());
    if (nearEdges.empty()) {
        return {};
    }
    Crossings crossings = FindCrossings(first, second, nearEdges);
    if (crossings.count == 0) {
        return {};
    }
    const bool removedFromFirst = RemoveInnerSections(crossings.first, second.Interior());
    const bool removedFromSecond = RemoveInnerSections(crossings.second, first.Interior());
    if (!removedFromFirst && !removedFromSecond) {
        return {};
    }
    std::vector<OutlineChain> chains;
    CutIntoChains(crossings.first, chains);
    CutIntoChains(crossings.second, chains);
    JoinChains(chains);
    OutlineChain* kept = nullptr;
    double keptArea = 0.0;
    for (OutlineChain& chain : chains) {
        if (chain.joined) {
            continue;
        }
        const double area = RectArea(chain.points);
        if (kept == nullptr || !(keptArea > area)) {
            kept = &chain;
            keptArea = area;
        }
    }
    return std::move(kept->points);
}

}  // namespace pathsmith
