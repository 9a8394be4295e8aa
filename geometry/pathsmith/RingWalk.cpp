// Ring walk over partnered crossing vertices.
#include "RingWalk.h"

#include "CrossingSplitter.h"

namespace pathsmith {

std::vector<std::vector<SDPoint>> WalkRings(const std::vector<WalkVertex>& sequence, bool closed) {
    const int count = static_cast<int>(sequence.size());
    auto after = [&](int index) { return index + 1 < count ? index + 1 : (closed ? 0 : -1); };
    std::vector<char> visited(count, 0);
    std::vector<std::vector<SDPoint>> rings;
    for (int start = 0; start < count; ++start) {
        if (visited[start]) {
            continue;
        }
        std::vector<SDPoint> ring;
        int current = start;
        while (true) {
            visited[current] = 1;
            ring.push_back(sequence[current].point);
            const int partner = sequence[current].partner;
            const int next = partner >= 0 ? after(partner) : after(current);
            if (next == start) {
                ring.push_back(sequence[start].point);
                break;
            }
            if (next < 0 || visited[next]) {
                break;
            }
            current = next;
        }
        rings.push_back(std::move(ring));
    }
    return rings;
}

std::vector<WalkVertex> SequenceWithCrossings(const std::vector<Chord>& contour, bool closed) {
    const int segmentCount = static_cast<int>(contour.size());
    std::vector<SDPoint> points;
    std::vector<CrossingSplitter::Edge> edges;
    points.reserve(segmentCount + 1);
    for (const Chord& chord : contour) {
        points.push_back(chord.start);
    }
    points.push_back(contour.back().end);
    for (int index = 0; index < segmentCount; ++index) {
        edges.push_back({index, index + 1});
    }
    CrossingSplitter splitter(std::move(points), std::move(edges));
    splitter.SplitWithinList([](const Chord& a, const Chord& b, LineMeeting& meeting) {
        return ChordsCross(a, b) && IntersectLines(a, b, meeting);
    });
    const auto& vertices = splitter.Vertices();
    std::vector<int> order;
    for (int index = 0; index < segmentCount; ++index) {
        for (const int vertex : splitter.VerticesAlong(index)) {
            order.push_back(vertex);
        }
    }
    if (!closed) {
        order.push_back(segmentCount);
    }
    std::vector<int> positionOf(vertices.size(), -1);
    for (int position = 0; position < static_cast<int>(order.size()); ++position) {
        positionOf[order[position]] = position;
    }
    std::vector<WalkVertex> sequence;
    sequence.reserve(order.size());
    for (const int vertex : order) {
        const int partner = vertices[vertex].partner;
        sequence.push_back({vertices[vertex].point, partner >= 0 ? positionOf[partner] : -1});
    }
    return sequence;
}

}  // namespace pathsmith
