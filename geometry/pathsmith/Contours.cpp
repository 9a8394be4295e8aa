// Contour conversions and whole-contour questions.
#include "Contours.h"

#include <cmath>

#include "NearPairs.h"
#include "ScratchAllocator.h"

namespace pathsmith {

std::vector<CLineEx> SegmentsOf(const CDbList<CLineEx>& segments) {
    std::vector<CLineEx> copies;
    if (segments.IsEmpty()) {
        return copies;
    }
    for (const auto* node = segments.head->next; node != segments.head; node = node->next) {
        copies.push_back(node->value);
    }
    return copies;
}

bool HasFiniteCoordinates(const CDbList<CLineEx>& segments) {
    if (segments.IsEmpty()) {
        return true;
    }
    for (const auto* node = segments.head->next; node != segments.head; node = node->next) {
        if (!node->value.HasFiniteCoordinates()) {
            return false;
        }
    }
    return true;
}

bool StartMeetsEnd(std::span<const Chord> chords) {
    return !chords.empty() && CoincideInXAndY(chords.front().start, chords.back().end);
}

namespace {

// The turning direction the curve classes give a closed polygon with these vertices (the start of
// every segment, in order), found the same way without building a curve: at the highest vertex (the
// first of equals), from the turn between its neighbours; a level top looks past the vertices at its
// height behind it.
int DirectionAtTop(const ScratchVector<SDPoint>& vertices) {
    const std::size_t count = vertices.size();
    if (count == 0) {
        return 0;
    }
    std::size_t top = 0;
    for (std::size_t index = 1; index < count; ++index) {
        if (vertices[index].y > vertices[top].y) {
            top = index;
        }
    }
    auto previous = [count](std::size_t index) { return index == 0 ? count - 1 : index - 1; };
    std::size_t before = previous(top);
    const std::size_t after = top + 1 == count ? 0 : top + 1;
    const double topY = vertices[top].y;
    if (vertices[before].y == topY && vertices[after].y == topY) {
        while (vertices[before].y == topY) {
            before = previous(before);
            if (before == after) {
                return 0;
            }
        }
    }
    const SDPoint a{vertices[after].x - vertices[top].x, vertices[after].y - topY};
    const SDPoint b{vertices[before].x - vertices[top].x, vertices[before].y - topY};
    return a.x * b.y - a.y * b.x >= 0.0 ? -1 : 1;
}

}  // namespace

ContourShape ExamineContour(std::span<const Chord> chords) {
    ContourShape shape;
    if (chords.size() >= 2) {
        const SDPoint start = chords.front().start, end = chords.back().end;
        shape.closed = std::fabs(start.x - end.x) <= CBaseCurve::kCloseTolerance &&
                       std::fabs(start.y - end.y) <= CBaseCurve::kCloseTolerance;
    }
    ScratchVector<SDPoint> vertices;
    vertices.reserve(chords.size() + 1);
    for (const Chord& chord : chords) {
        vertices.push_back(chord.start);
    }
    if (!shape.closed && !chords.empty()) {
        vertices.push_back(chords.back().end);
    }
    shape.direction = DirectionAtTop(vertices);
    return shape;
}

int RingDirection(const std::vector<SDPoint>& ring) {
    ScratchVector<SDPoint> vertices(ring.begin(), ring.end());
    if (ring.size() >= 2 && CoincideInXAndY(ring.back(), ring.front())) {
        vertices.pop_back();
    }
    return DirectionAtTop(vertices);
}

bool ContourCrossesItself(std::span<const Chord> chords) {
    const int count = static_cast<int>(chords.size());
    if (count < 3) {
        return false;
    }
    const bool closed = StartMeetsEnd(chords);
    bool found = false;
    ForEachNearPair(chords, kCoincidence, [&](int first, int second) {
        found =
            found || (second >= first + 2 && !(closed && first == 0 && second == count - 1) &&
                      !IsShorterThanCoincidence(chords[first]) && !IsShorterThanCoincidence(chords[second]) &&
                      ChordsCross(chords[first], chords[second]));
    });
    return found;
}

std::unique_ptr<CMyCurve> CurveThrough(std::span<const SDPoint> vertices) {
    auto curve = std::make_unique<CMyCurve>();
    for (std::size_t index = 0; index + 1 < vertices.size(); ++index) {
        curve->segments.AddTail(CLineEx(vertices[index], vertices[index + 1]));
    }
    return curve;
}

}  // namespace pathsmith
