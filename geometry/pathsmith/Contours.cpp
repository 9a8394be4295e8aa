// Contour conversions and whole-contour questions.
#include "Contours.h"

#include "ChordGrid.h"

namespace pathsmith {

std::vector<Chord> ChordsOf(const CDbList<CLineEx>& segments) {
    std::vector<Chord> chords;
    if (segments.IsEmpty()) {
        return chords;
    }
    for (const auto* node = segments.head->next; node != segments.head; node = node->next) {
        chords.push_back(ChordOf(node->value));
    }
    return chords;
}

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

bool StartMeetsEnd(const std::vector<Chord>& chords) {
    return !chords.empty() && CoincideInXAndY(chords.front().start, chords.back().end);
}

namespace {

void AppendChords(CMyCurve& curve, const std::vector<Chord>& chords) {
    for (const Chord& chord : chords) {
        curve.segments.AddTail(CLineEx(chord.start, chord.end));
    }
}

}  // namespace

ContourShape ExamineContour(const std::vector<Chord>& chords) {
    CMyCurve curve;
    AppendChords(curve, chords);
    ContourShape shape;
    shape.closed = curve.IsClose() != 0;
    if (!shape.closed && !chords.empty()) {
        curve.segments.AddTail(CLineEx(chords.back().end, chords.front().start));
    }
    shape.direction = curve.GetCurveDir();
    return shape;
}

int RingDirection(const std::vector<SDPoint>& ring) {
    std::vector<Chord> chords;
    for (std::size_t index = 0; index + 1 < ring.size(); ++index) {
        chords.push_back({ring[index], ring[index + 1]});
    }
    if (!ring.empty() && (chords.empty() || !CoincideInXAndY(ring.back(), ring.front()))) {
        chords.push_back({ring.back(), ring.front()});
    }
    CMyCurve curve;
    AppendChords(curve, chords);
    return curve.GetCurveDir();
}

bool ContourCrossesItself(const std::vector<Chord>& chords) {
    const int count = static_cast<int>(chords.size());
    if (count < 3) {
        return false;
    }
    const bool closed = StartMeetsEnd(chords);
    ChordGrid grid(chords, 4 * kCoincidence);
    for (int first = 0; first < count; ++first) {
        if (IsShorterThanCoincidence(chords[first])) {
            continue;
        }
        bool crosses = false;
        grid.ForEachNearItem(first, [&](int second) {
            if (crosses || second < first + 2 || (closed && first == 0 && second == count - 1) ||
                IsShorterThanCoincidence(chords[second])) {
                return;
            }
            crosses = ChordsCross(chords[first], chords[second]);
        });
        if (crosses) {
            return true;
        }
    }
    return false;
}

std::unique_ptr<CMyCurve> CurveThrough(const std::vector<SDPoint>& vertices) {
    auto curve = std::make_unique<CMyCurve>();
    for (std::size_t index = 0; index + 1 < vertices.size(); ++index) {
        curve->segments.AddTail(CLineEx(vertices[index], vertices[index + 1]));
    }
    return curve;
}

std::vector<SDPoint> WithoutRepeatedVertices(const std::vector<SDPoint>& vertices) {
    std::vector<SDPoint> kept;
    kept.reserve(vertices.size());
    for (const SDPoint& vertex : vertices) {
        if (kept.empty() || !CoincideInXAndY(vertex, kept.back())) {
            kept.push_back(vertex);
        }
    }
    return kept;
}

}  // namespace pathsmith
