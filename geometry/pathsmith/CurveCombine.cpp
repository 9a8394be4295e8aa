// Curve combine: crossings, removal of the inner sections, joining of the chains.
#include "CurveCombine.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "CrossingSplitter.h"

namespace pathsmith {

namespace {

constexpr double kNestingTolerance = 0.01;
static_assert(kMergeReach >= 2 * kNestingTolerance,
              "rounded rectangles within the nesting tolerance are in reach");

bool FarApart(const CRectEx& a, const CRectEx& b) {
    return b.x1 - a.x2 > kMergeReach || a.x1 - b.x2 > kMergeReach || b.y1 - a.y2 > kMergeReach ||
           a.y1 - b.y2 > kMergeReach;
}

// A vertex ring after the crossings were inserted, with the positions of its crossing vertices and
// the sections (from one vertex to another) whose inner vertices were removed, both ascending.
struct CutRing {
    std::vector<SDPoint> points;
    std::vector<int> crossings;
    std::vector<std::pair<int, int>> removedSections;

    void Clear() {
        points.clear();
        crossings.clear();
        removedSections.clear();
    }
    void Append(const CrossingSplitter::Vertex& vertex) {
        if (vertex.crossing) {
            crossings.push_back(static_cast<int>(points.size()));
        }
        points.push_back(vertex.point);
    }
};

// Consecutive vertices of a cut ring from `first` to `last`, walked backwards when last < first.
struct Span {
    const SDPoint* points;
    int first;
    int last;

    int Step() const { return last < first ? -1 : 1; }
    SDPoint Front() const { return points[first]; }
    SDPoint Back() const { return points[last]; }
};

// A chain of the outline as the spans it runs through, in order.
struct OutlineChain {
    std::vector<Span> spans;
    bool joined = false;  // absorbed into another chain

    SDPoint Front() const { return spans.front().Front(); }
    SDPoint Back() const { return spans.back().Back(); }
};

// Ring A's near edges (sorted indices) and every edge of ring B, cut at their strict crossings in the
// order of a walk over every pair, into the two cut rings; returns the number of crossings.
int FindCrossings(const std::vector<SDPoint>& ringA, const MergeOutline& b,
                  const std::vector<int>& nearEdgesOfA, CutRing& cutA, CutRing& cutB) {
    const std::vector<SDPoint>& ringB = b.Ring();
    // Local vertices: the ends of the near edges of A (shared where edges follow each other), then all
    // of B.
    std::vector<SDPoint> points;
    std::vector<CrossingSplitter::Edge> edges;
    const std::size_t localCount = 2 * nearEdgesOfA.size() + ringB.size();
    points.reserve(localCount);
    edges.reserve(localCount);
    int previousEdge = -2;
    for (const int edge : nearEdgesOfA) {
        if (edge != previousEdge + 1) {
            points.push_back(ringA[edge]);
        }
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
    // B's index supplies the candidates; its closing edge, from the last vertex back to the first, is
    // no edge of the outline.
    const int closingEdgeOfB = static_cast<int>(ringB.size()) - 1;
    auto nearOf = [&](int edge, std::vector<int>& candidates) {
        candidates.clear();
        const Chord chord{ringA[nearEdgesOfA[edge]], ringA[nearEdgesOfA[edge] + 1]};
        b.Interior().SearchEdges(BoxOf(chord).Grown(4 * kCoincidence), [&](int edgeOfB) {
            if (edgeOfB != closingEdgeOfB) {
                candidates.push_back(edgesOfA + edgeOfB);
            }
            return false;
        });
    };
    splitter.SplitBetweenLists(edgesOfA, nearOf, [](const Chord& p, const Chord& q, LineMeeting& meeting) {
        return ChordsCross(p, q) && IntersectLines(p, q, meeting);
    });
    const int count = splitter.CrossingCount();
    if (count == 0) {
        return 0;
    }
    const auto& vertices = splitter.Vertices();
    // Ring A: its own vertices, with the inserted ones after the start of each near edge; the ends of
    // the near edges come from the splitter, which knows which of them are crossings.
    cutA.Clear();
    std::size_t copied = 0;
    auto copyUpTo = [&](std::size_t end) {
        cutA.points.insert(cutA.points.end(), ringA.begin() + static_cast<std::ptrdiff_t>(copied),
                           ringA.begin() + static_cast<std::ptrdiff_t>(end));
        copied = end;
    };
    for (int local = 0; local < edgesOfA; ++local) {
        const int edge = nearEdgesOfA[local];
        copyUpTo(edge);
        splitter.ForEachVertexAlong(local, [&](int vertex) { cutA.Append(vertices[vertex]); });
        const bool nextIsNear = local + 1 < edgesOfA && nearEdgesOfA[local + 1] == edge + 1;
        if (!nextIsNear) {
            cutA.Append(vertices[splitter.EndVertex(local)]);
        }
        copied = edge + (nextIsNear ? 1 : 2);
    }
    copyUpTo(ringA.size());
    cutB.Clear();
    for (int index = 0; index + 1 < static_cast<int>(ringB.size()); ++index) {
        splitter.ForEachVertexAlong(edgesOfA + index, [&](int vertex) { cutB.Append(vertices[vertex]); });
    }
    cutB.Append(vertices[firstOfB + static_cast<int>(ringB.size()) - 1]);
    return count;
}

// Records the sections of the ring that lie inside the other outline; true when there is one.
bool RemoveInnerSections(CutRing& ring, const PointInRing& other) {
    ring.removedSections.clear();
    const int last = static_cast<int>(ring.points.size()) - 1;
    auto nextCrossing = ring.crossings.begin();
    int sectionFrom = 0;
    while (sectionFrom < last) {
        while (nextCrossing != ring.crossings.end() && *nextCrossing <= sectionFrom) {
            ++nextCrossing;
        }
        const int sectionTo = nextCrossing == ring.crossings.end() ? last : std::min(*nextCrossing, last);
        const SDPoint& from = ring.points[sectionFrom];
        const SDPoint probe = sectionTo == sectionFrom + 1 ? SDPoint{(from.x + ring.points[sectionTo].x) / 2,
                                                                     (from.y + ring.points[sectionTo].y) / 2}
                                                           : ring.points[sectionFrom + 1];
        if (other.Inside(probe)) {
            ring.removedSections.emplace_back(sectionFrom, sectionTo);
        }
        sectionFrom = sectionTo;
    }
    return !ring.removedSections.empty();
}

// The ring without the inner vertices of its removed sections, cut where each of them was.
void CutIntoChains(const CutRing& ring, std::vector<OutlineChain>& chains) {
    int start = 0;
    for (const auto& [from, to] : ring.removedSections) {
        chains.push_back(OutlineChain{{Span{ring.points.data(), start, from}}});
        start = to;
    }
    chains.push_back(
        OutlineChain{{Span{ring.points.data(), start, static_cast<int>(ring.points.size()) - 1}}});
}

// Drops the first vertex of the spans.
void DropFront(std::vector<Span>& spans) {
    Span& front = spans.front();
    if (front.first == front.last) {
        spans.erase(spans.begin());
    } else {
        front.first += front.Step();
    }
}

std::vector<Span> Reversed(const std::vector<Span>& spans) {
    std::vector<Span> reversed(spans.rbegin(), spans.rend());
    for (Span& span : reversed) {
        std::swap(span.first, span.last);
    }
    return reversed;
}

// `tail` after `head`, the shared vertex once.
std::vector<Span> Joined(std::vector<Span> head, std::vector<Span> tail) {
    DropFront(tail);
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

// Joins the second chain to the first when an end of one meets an end of the other.
bool TryJoin(OutlineChain& first, OutlineChain& second) {
    std::vector<Span>& a = first.spans;
    const std::vector<Span>& b = second.spans;
    if (CoincideInXAndY(first.Back(), second.Front())) {
        a = Joined(std::move(a), b);
    } else if (CoincideInXAndY(first.Back(), second.Back())) {
        a = Joined(std::move(a), Reversed(b));
    } else if (CoincideInXAndY(first.Front(), second.Front())) {
        a = Joined(Reversed(b), std::move(a));
    } else if (CoincideInXAndY(first.Front(), second.Back())) {
        a = Joined(b, std::move(a));
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

template <typename Visit>
void ForEachPoint(const OutlineChain& chain, Visit&& visit) {
    for (const Span& span : chain.spans) {
        const int step = span.Step();
        for (int index = span.first;; index += step) {
            visit(span.points[index]);
            if (index == span.last) {
                break;
            }
        }
    }
}

double RectArea(const OutlineChain& chain) {
    const SDPoint front = chain.Front();
    Box box{front.x, front.y, front.x, front.y};
    ForEachPoint(chain, [&](const SDPoint& p) {
        box.minX = std::min(box.minX, p.x);
        box.minY = std::min(box.minY, p.y);
        box.maxX = std::max(box.maxX, p.x);
        box.maxY = std::max(box.maxY, p.y);
    });
    return (box.maxX - box.minX) * (box.maxY - box.minY);
}

void WritePoints(const OutlineChain& chain, std::vector<SDPoint>& out) {
    out.clear();
    for (const Span& span : chain.spans) {
        if (span.first <= span.last) {
            out.insert(out.end(), span.points + span.first, span.points + span.last + 1);
        } else {
            for (int index = span.first; index >= span.last; --index) {
                out.push_back(span.points[index]);
            }
        }
    }
}

// The chain that stays: the largest by its rectangle, the last of equals, when the union has holes.
const OutlineChain& KeptChain(const std::vector<OutlineChain>& chains) {
    const OutlineChain* kept = nullptr;
    int open = 0;
    for (const OutlineChain& chain : chains) {
        if (!chain.joined) {
            kept = &chain;
            ++open;
        }
    }
    if (open == 1) {
        return *kept;
    }
    kept = nullptr;
    double keptArea = 0.0;
    for (const OutlineChain& chain : chains) {
        if (chain.joined) {
            continue;
        }
        const double area = RectArea(chain);
        if (kept == nullptr || !(keptArea > area)) {
            kept = &chain;
            keptArea = area;
        }
    }
    return *kept;
}

}  // namespace

// One walk over the segments gives the ring and the rectangle around every start and end point.
MergeOutline::MergeOutline(const CDbList<CLineEx>& segments) : rect_(0.0, 0.0, 0.0, 0.0) {
    if (segments.IsEmpty()) {
        return;
    }
    std::vector<SDPoint> ring;
    ring.reserve(static_cast<std::size_t>(segments.GetCount()) + 1);
    double minX = std::numeric_limits<double>::infinity(), minY = minX;
    double maxX = -minX, maxY = -minX;
    for (const auto* node = segments.head->next; node != segments.head; node = node->next) {
        ring.push_back(node->value.p0);
        for (const SDPoint& p : {node->value.p0, node->value.p1}) {
            minX = std::min(minX, p.x);
            minY = std::min(minY, p.y);
            maxX = std::max(maxX, p.x);
            maxY = std::max(maxY, p.y);
        }
    }
    ring.push_back(segments.head->prev->value.p1);
    rect_ = CRectEx(minX, minY, maxX, maxY);
    interior_.SwapRing(ring);
}

void MergeOutline::SwapRing(std::vector<SDPoint>& ring) {
    interior_.SwapRing(ring);
    const Box bounds = interior_.Bounds();
    rect_ = CRectEx(bounds.minX, bounds.minY, bounds.maxX, bounds.maxY);
}

struct OutlineMerger::Work {
    std::vector<int> nearEdges;
    CutRing first;
    CutRing second;
    std::vector<OutlineChain> chains;
};

OutlineMerger::OutlineMerger() : work_(std::make_unique<Work>()) {}

OutlineMerger::~OutlineMerger() = default;

bool OutlineMerger::Merge(const MergeOutline& first, const MergeOutline& second,
                          std::vector<SDPoint>& merged) {
    const std::vector<SDPoint>& ringA = first.Ring();
    if (ringA.size() < 2 || second.Ring().size() < 2 || FarApart(first.Rect(), second.Rect())) {
        return false;
    }
    CRectEx firstRect = first.Rect(), secondRect = second.Rect();
    if (!RectsOverlap(firstRect, secondRect) && !firstRect.IsInclude(secondRect, kNestingTolerance) &&
        !secondRect.IsInclude(firstRect, kNestingTolerance)) {
        return false;
    }
    // The edges of the first outline near the second; its closing edge, from the last vertex back to
    // the first, is no edge of the outline.
    std::vector<int>& nearEdges = work_->nearEdges;
    nearEdges.clear();
    const int closingEdge = static_cast<int>(ringA.size()) - 1;
    first.Interior().SearchEdges(second.BoundsBox().Grown(kCoincidence), [&](int edge) {
        if (edge != closingEdge) {
            nearEdges.push_back(edge);
        }
        return false;
    });
    if (nearEdges.empty()) {
        return false;
    }
    if (FindCrossings(ringA, second, nearEdges, work_->first, work_->second) == 0) {
        return false;
    }
    const bool removedFromFirst = RemoveInnerSections(work_->first, second.Interior());
    const bool removedFromSecond = RemoveInnerSections(work_->second, first.Interior());
    if (!removedFromFirst && !removedFromSecond) {
        return false;
    }
    std::vector<OutlineChain>& chains = work_->chains;
    chains.clear();
    CutIntoChains(work_->first, chains);
    CutIntoChains(work_->second, chains);
    JoinChains(chains);
    WritePoints(KeptChain(chains), merged);
    return merged.size() >= 2;
}

}  // namespace pathsmith
