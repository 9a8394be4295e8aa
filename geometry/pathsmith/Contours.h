// Moving contours between the caller's lists and the engines' plain arrays, and the questions the
// engines ask of a whole contour: closed or open, turning direction, crossing itself.
#pragma once

#include <algorithm>
#include <memory>
#include <span>
#include <vector>

#include "DbList.h"
#include "LineEx.h"
#include "MyCurve.h"
#include "ScratchAllocator.h"
#include "SegmentGeometry.h"

namespace pathsmith {

// The chords of the segments in list order, in a vector of the given type.
template <typename Chords = std::vector<Chord>>
Chords ChordsOf(const CDbList<CLineEx>& segments) {
    Chords chords;
    if (segments.IsEmpty()) {
        return chords;
    }
    // The list's count is only a hint: callers may have relinked nodes around it.
    chords.reserve(static_cast<std::size_t>(std::max(segments.count, 0)));
    for (const auto* node = segments.head->next; node != segments.head; node = node->next) {
        chords.push_back(ChordOf(node->value));
    }
    return chords;
}
std::vector<CLineEx> SegmentsOf(const CDbList<CLineEx>& segments);
bool HasFiniteCoordinates(const CDbList<CLineEx>& segments);

// Deletes, in place, every segment for which the predicate holds.
template <typename Predicate>
void RemoveSegmentsIf(CDbList<CLineEx>& segments, Predicate&& shouldRemove) {
    if (segments.MoveFirst() == 0) {
        return;
    }
    while (segments.cursor != segments.head) {
        if (shouldRemove(segments.cursor->value)) {
            segments.RemoveCurrent();
        } else {
            segments.cursor = segments.cursor->next;
        }
    }
}

// The first start and the last end coincide within kCoincidence in x and in y.
bool StartMeetsEnd(std::span<const Chord> chords);

struct ContourShape {
    int direction = 0;  // -1 counter-clockwise, 1 clockwise (y up), 0 undecided
    bool closed = false;
};
// The direction and closure of the curve classes; an open contour is judged closed by a straight
// line from its last end to its first start.
ContourShape ExamineContour(std::span<const Chord> chords);
// The turning direction of a vertex sequence taken as a closed polygon.
int RingDirection(const std::vector<SDPoint>& ring);

// The contour has two segments that cross (strictly), neither shorter than kCoincidence and not
// neighbours; the first and last segment of a closed contour meet at the closing point and do not count.
bool ContourCrossesItself(std::span<const Chord> chords);

// A new curve with one line segment from each vertex to the next.
std::unique_ptr<CMyCurve> CurveThrough(std::span<const SDPoint> vertices);

// Drops every vertex that lies within kCoincidence in x and in y of the vertex kept before it.
template <typename Points>
Points WithoutRepeatedVertices(const Points& vertices) {
    Points kept;
    kept.reserve(vertices.size());
    for (const SDPoint& vertex : vertices) {
        if (kept.empty() || !CoincideInXAndY(vertex, kept.back())) {
            kept.push_back(vertex);
        }
    }
    return kept;
}

}  // namespace pathsmith
