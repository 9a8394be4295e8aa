// The offset exports: Zint_Offset and Zint_DoubleOffset.
#include <cmath>
#include <exception>

#include "Contours.h"
#include "DoubleOffset.h"
#include "ExportGuard.h"
#include "OffsetEngine.h"
#include "Pathsmith.h"

namespace pathsmith {

namespace {

bool UsableDistance(double distance) {
    return std::isfinite(distance) && distance >= 0.0;
}

// Deletes the segments whose ends are one point or coincide; returns whether it deleted any.
bool RemovePointSegments(CDbList<CLineEx>& segments) {
    bool removed = false;
    RemoveSegmentsIf(segments, [&removed](const CLineEx& segment) {
        const bool point = (segment.p0.x == segment.p1.x && segment.p0.y == segment.p1.y) ||
                           segment.IsPoint(kCoincidence) != 0;
        removed = removed || point;
        return point;
    });
    return removed;
}

short Offset(CDbList<CLineEx>* segments, CDbList<CMyCurve*>* curves, double distance, int side) {
    if (segments == nullptr || curves == nullptr || segments->IsEmpty() || !HasFiniteCoordinates(*segments) ||
        !UsableDistance(distance) || (side != kOffsetInward && side != kOffsetOutward)) {
        return 1;
    }
    ScratchVector<Chord> chords = ChordsOf<ScratchVector<Chord>>(*segments);
    if (ContourCrossesItself(chords)) {
        return 1;
    }
    if (RemovePointSegments(*segments)) {
        chords = ChordsOf<ScratchVector<Chord>>(*segments);
    }
    const std::vector<ScratchVector<SDPoint>> rings = OffsetContour(chords, distance, side);
    CurveBatch batch;
    for (const ScratchVector<SDPoint>& ring : rings) {
        if (ring.size() >= 2) {
            batch.Add(CurveThrough(ring));
        }
    }
    // An offset that leaves no curve has failed, whether or not the engine divided any rings.
    if (batch.Empty()) {
        return 1;
    }
    batch.AppendTo(*curves);
    return 0;
}

short DoubleOffset(CDbList<CLineEx>* segments, CDbList<CMyCurve*>* curves, double distance) {
    if (segments == nullptr || curves == nullptr || segments->IsEmpty() || !HasFiniteCoordinates(*segments) ||
        !UsableDistance(distance)) {
        return 1;
    }
    if (ContourCrossesItself(ChordsOf(*segments))) {
        return 1;
    }
    RemovePointSegments(*segments);
    if (segments->IsEmpty()) {
        return 1;
    }
    CurveBatch batch;
    // Each ring is a curve of its own: a closed contour with a narrow waist has two inner outlines.
    for (const std::vector<SDPoint>& outline : DoubleOffsetOutlines(ChordsOf(*segments), distance)) {
        batch.Add(CurveThrough(outline));
    }
    batch.AppendTo(*curves);
    return 0;
}

}  // namespace

}  // namespace pathsmith

short Zint_Offset(CDbList<CLineEx>* segments, CDbList<CMyCurve*>* curves, double distance, int side, int) {
    return pathsmith::Guarded([&] { return pathsmith::Offset(segments, curves, distance, side); });
}

short Zint_DoubleOffset(CDbList<CLineEx>* segments, CDbList<CMyCurve*>* curves, double distance) {
    return pathsmith::Guarded([&] { return pathsmith::DoubleOffset(segments, curves, distance); });
}
