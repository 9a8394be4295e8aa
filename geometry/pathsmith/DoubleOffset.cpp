// Double offset: per side, mitred offset lines, the vertices too close to the contour dropped, the
// crossings renewed, the sequence divided into rings and the rings that do not fit the contour dropped.
#include "DoubleOffset.h"

#include <algorithm>
#include <cmath>

#include "BoxTree.h"
#include "ChordGrid.h"
#include "Contours.h"
#include "CrossingSplitter.h"
#include "OffsetEngine.h"
#include "PointInRing.h"
#include "RingWalk.h"

namespace pathsmith {

namespace {

// Corner joins treat the contour as closed when its ends are this close in x and in y.
constexpr double kMiterClosingGap = 0.1;
// Offset vertices closer than the distance less this slack to the contour are dropped.
constexpr double kVertexSlack = 0.02;
constexpr double kFitTolerance = 0.01;

// What every side measures against: the contour with its indexes.
struct ContourIndex {
    const std::vector<Chord>& chords;
    ContourShape shape;
    bool closed;
    CRectEx rect;
    BoxTree boxes;
    ChordGrid grid;
    PointInRing interior;

    static std::vector<Box> BoxesOf(const std::vector<Chord>& chords) {
        std::vector<Box> boxes;
        for (const Chord& chord : chords) {
            boxes.push_back(BoxOf(chord));
        }
        return boxes;
    }
    static std::vector<SDPoint> RingOf(const std::vector<Chord>& chords) {
        std::vector<SDPoint> ring;
        for (const Chord& chord : chords) {
            ring.push_back(chord.start);
        }
        ring.push_back(chords.back().end);
        return ring;
    }

    explicit ContourIndex(const std::vector<Chord>& contour)
        : chords(contour),
          shape(ExamineContour(contour)),
          closed(StartMeetsEnd(contour)),
          rect(ContourRect(contour)),
          boxes(BoxesOf(contour)),
          grid(contour, 4 * kCoincidence),
          interior(RingOf(contour)) {}
};

// Moves the ends of neighbouring offset lines together where they meet before the next line starts.
void MiterCorners(std::vector<Chord>& lines, const std::vector<Chord>& contour) {
    const int count = static_cast<int>(lines.size());
    const bool closed = std::fabs(contour.front().start.x - contour.back().end.x) <= kMiterClosingGap &&
                        std::fabs(contour.front().start.y - contour.back().end.y) <= kMiterClosingGap;
    const int pairCount = closed && count >= 3 ? count : count - 1;
    for (int index = 0; index < pairCount; ++index) {
        Chord& a = lines[index];
        Chord& b = lines[(index + 1) % count];
        if (Coincide(a.end, b.start)) {
            a.end = b.start;
            continue;
        }
        LineMeeting meeting;
        if (IntersectLines(a, b, meeting) && meeting.t2 < 0.0) {
            a.end = meeting.point;
            b.start = meeting.point;
        }
    }
}

// Pieces meet where both lie within 0..1 and the meeting is not just a shared end of both.
bool MeetInside(const Chord& a, const Chord& b, LineMeeting& meeting) {
    if (!RectsOverlap(ChordRect(a), ChordRect(b)) || !IntersectLines(a, b, meeting) || meeting.t1 < 0.0 ||
        meeting.t1 > 1.0 || meeting.t2 < 0.0 || meeting.t2 > 1.0) {
        return false;
    }
    const bool endOfA = meeting.t1 == 0.0 || meeting.t1 == 1.0;
    const bool endOfB = meeting.t2 == 0.0 || meeting.t2 == 1.0;
    return !(endOfA && endOfB);
}

// The vertex sequence with a partnered vertex at every meeting of two non-neighbouring edges; a
// circular sequence wraps from its last vertex to its first.
std::vector<WalkVertex> WithCrossings(const std::vector<SDPoint>& points, bool circular) {
    const int count = static_cast<int>(points.size());
    std::vector<CrossingSplitter::Edge> edges;
    for (int index = 0; index + 1 < count; ++index) {
        edges.push_back({index, index + 1});
    }
    if (circular && count > 2) {
        edges.push_back({count - 1, 0});
    }
    CrossingSplitter splitter(points, std::move(edges));
    splitter.SplitWithinList(MeetInside);
    const auto& vertices = splitter.Vertices();
    std::vector<int> order;
    const int edgeCount = circular && count > 2 ? count : count - 1;
    for (int edge = 0; edge < edgeCount; ++edge) {
        splitter.ForEachVertexAlong(edge, [&](int vertex) { order.push_back(vertex); });
    }
    if (!circular || count <= 2) {
        order.push_back(count - 1);
    }
    std::vector<int> positionOf(vertices.size(), -1);
    for (int position = 0; position < static_cast<int>(order.size()); ++position) {
        positionOf[order[position]] = position;
    }
    std::vector<WalkVertex> sequence;
    for (const int vertex : order) {
        const int partner = vertices[vertex].partner;
        sequence.push_back({vertices[vertex].point, partner >= 0 ? positionOf[partner] : -1});
    }
    return sequence;
}

// Vertices of the sequence at the same point that no crossing partnered: two passages that meet at a
// vertex, like the two halves of an outline pinched at a narrow waist. Each is partnered with the
// first earlier one still free.
void PartnerCoincidentVertices(std::vector<WalkVertex>& sequence) {
    std::vector<Chord> points;
    for (const WalkVertex& vertex : sequence) {
        points.push_back({vertex.point, vertex.point});
    }
    ChordGrid grid(points, kCoincidence);
    for (int index = 0; index < static_cast<int>(sequence.size()); ++index) {
        if (sequence[index].partner >= 0) {
            continue;
        }
        int earliest = -1;
        grid.ForEachNear(points[index], [&](int other) {
            if (other < index - 1 && sequence[other].partner < 0 && (earliest < 0 || other < earliest) &&
                CoincideInXAndY(sequence[other].point, sequence[index].point)) {
                earliest = other;
            }
        });
        if (earliest >= 0) {
            sequence[index].partner = earliest;
            sequence[earliest].partner = index;
        }
    }
}

std::vector<SDPoint> PointsOf(const std::vector<WalkVertex>& sequence) {
    std::vector<SDPoint> points;
    for (const WalkVertex& vertex : sequence) {
        points.push_back(vertex.point);
    }
    return points;
}

// Drops the vertices that come closer to the contour than the distance less the slack.
std::vector<SDPoint> WithoutVerticesNearContour(const std::vector<SDPoint>& points,
                                                const ContourIndex& contour, double distance) {
    const double limit = distance - kVertexSlack;
    std::vector<SDPoint> kept;
    for (const SDPoint& point : points) {
        const bool near = limit > 0.0 && contour.boxes.Search(BoxAround(point, distance), [&](int index) {
            const Chord& chord = contour.chords[index];
            const double away = IsShorterThanCoincidence(chord) ? Distance(point, chord.start)
                                                                : DistanceToChord(point, chord);
            return away < limit;
        });
        if (!near) {
            kept.push_back(point);
        }
    }
    return kept;
}

// Two passages that meet at a crossing vertex and go on to the same point only touch.
void UnmarkTouchingPassages(std::vector<WalkVertex>& sequence, bool circular) {
    const int count = static_cast<int>(sequence.size());
    auto after = [&](int index) { return index + 1 < count ? index + 1 : (circular ? 0 : -1); };
    for (int index = 0; index < count; ++index) {
        const int partner = sequence[index].partner;
        if (partner < 0) {
            continue;
        }
        const int next = after(index), partnerNext = after(partner);
        if (next >= 0 && partnerNext >= 0 &&
            CoincideInXAndY(sequence[next].point, sequence[partnerNext].point)) {
            sequence[index].partner = -1;
            sequence[partner].partner = -1;
        }
    }
}

CRectEx RectOfPoints(const std::vector<SDPoint>& points) {
    std::vector<Chord> chords;
    for (const SDPoint& point : points) {
        chords.push_back({point, point});
    }
    return ContourRect(chords);
}

bool CrossesContour(const std::vector<SDPoint>& ring, ContourIndex& contour) {
    for (std::size_t index = 0; index + 1 < ring.size(); ++index) {
        const Chord edge{ring[index], ring[index + 1]};
        bool crosses = false;
        contour.grid.ForEachNear(edge, [&](int other) {
            const Chord& chord = contour.chords[other];
            crosses = crosses || (!(chord.start.x == chord.end.x && chord.start.y == chord.end.y) &&
                                  ChordsCross(edge, chord));
        });
        if (crosses) {
            return true;
        }
    }
    return false;
}

// Twice the area a closed vertex list encloses.
double TwiceArea(const std::vector<SDPoint>& ring) {
    double twice = 0.0;
    for (std::size_t index = 0; index < ring.size(); ++index) {
        const SDPoint& a = ring[index];
        const SDPoint& b = ring[(index + 1) % ring.size()];
        twice += a.x * b.y - b.x * a.y;
    }
    return twice;
}

bool FitsContour(const std::vector<SDPoint>& ring, int side, ContourIndex& contour) {
    // A ring that encloses nothing is a passage walked there and back, where an outline pinches to a line.
    if (ring.empty() || std::fabs(TwiceArea(ring)) < 2 * kCoincidence * kCoincidence) {
        return false;
    }
    CRectEx ringRect = RectOfPoints(ring);
    if (contour.closed && side == kOffsetInward) {
        if (!contour.rect.IsInclude(ringRect, kFitTolerance) ||
            !std::all_of(ring.begin(), ring.end(),
                         [&](const SDPoint& p) { return contour.interior.Inside(p); })) {
            return false;
        }
    }
    if (contour.closed && side == kOffsetOutward) {
        if (!ringRect.IsInclude(contour.rect, kFitTolerance) ||
            !PointInRing(ring).Inside(contour.chords.front().start)) {
            return false;
        }
    }
    if (contour.shape.direction != 0) {
        const int direction = RingDirection(ring);
        if (direction == 0 || direction != contour.shape.direction) {
            return false;
        }
    }
    return !CrossesContour(ring, contour);
}

// Of two rings of an open contour's side where one's rectangle holds the other's, the inner one goes.
void DropInnerRings(std::vector<std::vector<SDPoint>>& rings) {
    std::vector<CRectEx> rects;
    for (const auto& ring : rings) {
        rects.push_back(RectOfPoints(ring));
    }
    std::vector<char> dropped(rings.size(), 0);
    for (std::size_t a = 0; a < rings.size(); ++a) {
        for (std::size_t b = 0; b < rings.size(); ++b) {
            if (a != b && !dropped[a] && !dropped[b] && rects[a].IsInclude(rects[b], kFitTolerance)) {
                dropped[b] = 1;
            }
        }
    }
    std::vector<std::vector<SDPoint>> kept;
    for (std::size_t index = 0; index < rings.size(); ++index) {
        if (!dropped[index]) {
            kept.push_back(std::move(rings[index]));
        }
    }
    rings = std::move(kept);
}

std::vector<std::vector<SDPoint>> SideRings(ContourIndex& contour, double distance, int side) {
    std::vector<Chord> lines =
        RawOffsetLines(contour.chords, distance, OffsetsToTheLeft(side, contour.shape.direction));
    MiterCorners(lines, contour.chords);
    std::vector<SDPoint> points;
    for (const Chord& line : lines) {
        points.push_back(line.start);
        points.push_back(line.end);
    }
    points = WithoutRepeatedVertices(points);
    const bool circular = contour.closed;
    if (circular && points.size() > 1 && CoincideInXAndY(points.back(), points.front())) {
        points.pop_back();
    }
    points = PointsOf(WithCrossings(points, circular));
    points = WithoutVerticesNearContour(points, contour, distance);
    points = WithoutRepeatedVertices(points);
    if (circular && points.size() > 1 && CoincideInXAndY(points.back(), points.front())) {
        points.pop_back();
    }
    if (points.empty()) {
        return {};
    }
    std::vector<WalkVertex> sequence = WithCrossings(points, circular);
    PartnerCoincidentVertices(sequence);
    UnmarkTouchingPassages(sequence, circular);
    std::vector<std::vector<SDPoint>> rings;
    for (std::vector<SDPoint>& ring : WalkRings(sequence, circular)) {
        if (FitsContour(ring, side, contour)) {
            rings.push_back(std::move(ring));
        }
    }
    if (!contour.closed) {
        DropInnerRings(rings);
    }
    return rings;
}

}  // namespace

std::vector<std::vector<SDPoint>> DoubleOffsetOutlines(const std::vector<Chord>& contour, double distance) {
    if (contour.empty()) {
        return {};
    }
    ContourIndex index(contour);
    std::vector<std::vector<SDPoint>> inner = SideRings(index, distance, kOffsetInward);
    std::vector<std::vector<SDPoint>> outer = SideRings(index, distance, kOffsetOutward);
    if (index.closed) {
        inner.insert(inner.end(), outer.begin(), outer.end());
        return inner;
    }
    // An open contour: one side, the other side backwards, and back to the start.
    std::vector<SDPoint> outline;
    for (const auto& ring : inner) {
        outline.insert(outline.end(), ring.begin(), ring.end());
    }
    if (outline.empty()) {
        return {};
    }
    for (auto ring = outer.rbegin(); ring != outer.rend(); ++ring) {
        outline.insert(outline.end(), ring->rbegin(), ring->rend());
    }
    outline.push_back(outline.front());
    return {outline};
}

}  // namespace pathsmith
