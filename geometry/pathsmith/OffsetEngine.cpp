// Offset engine: raw offset lines, corner joins, crossings, band filter and ring split.
#include "OffsetEngine.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

#include "ChordCutter.h"
#include "ChordGrid.h"
#include "Contours.h"
#include "JunctionWalk.h"
#include "ListHeads.h"
#include "RingFinish.h"
#include "RingSplitter.h"
#include "ScratchAllocator.h"
#include "WindingCounter.h"

namespace pathsmith {

namespace {

// Turns closer to straight than this, or this close to a right angle, are mitred instead of rounded.
constexpr double kRoundJoinAngleTolerance = kRadiansPerDegree;

// The radius of the round joins with the step angle of their arcs, worked out once per offset.
struct JoinRadius {
    explicit JoinRadius(double radius)
        : radius(radius), stepAngle(radius > kMinRoundRadius ? ArcStepAngle(radius) : 0.0) {}
    double radius;
    double stepAngle;
};

// Appends the arc points around an outer corner to `points`; appends none when the corner is to be
// mitred. Returns whether it appended any.
bool AppendRoundJoin(SDPoint corner, const JoinRadius& join, SDPoint from, SDPoint to,
                     ScratchVector<SDPoint>& points) {
    // cos(kRoundJoinAngleTolerance) + 1e-9: a turn whose cosine is above it is nearly straight however
    // the arc cosine rounds, and is mitred without measuring its angle.
    constexpr double kNearlyStraightCosine = 0.9998476961563912;
    if (join.radius <= kMinRoundRadius) {
        return false;
    }
    // 1 when either point is the corner: such a turn is mitred here, so the angle below has a cosine.
    const double cosine = CosineAt(from, to, corner);
    if (cosine > kNearlyStraightCosine) {
        return false;
    }
    const double sweep = SignedAngleWithCosine(cosine, from, to, corner);
    if (std::fabs(sweep) < kRoundJoinAngleTolerance ||
        std::fabs(std::fabs(sweep) - kHalfPi) <= kRoundJoinAngleTolerance) {
        return false;
    }
    const double startAngle = SignedAngle({corner.x + 1.0, corner.y}, from, corner);
    AppendArcPoints(corner, join.radius, join.stepAngle, startAngle, startAngle + sweep, points);
    return true;
}

// Where the lines of an offset line and the next one meet, judged on the lines as first offset.
struct CornerMeeting {
    LineMeeting meeting;
    bool inner = false;  // within both lines, ends included: a meeting snapped onto an end still joins
    bool outer = false;  // beyond the first line's end and before the second one's start
};

ScratchVector<CornerMeeting> MeetCorners(const ScratchVector<Chord>& lines, bool closed) {
    const int count = static_cast<int>(lines.size());
    ScratchVector<CornerMeeting> corners(count);
    const int pairCount = closed ? count : count - 1;
    for (int index = 0; index < pairCount; ++index) {
        CornerMeeting& corner = corners[index];
        if (!IntersectLines(lines[index], lines[NextAround(index, count)], corner.meeting)) {
            continue;
        }
        const double t1 = corner.meeting.t1, t2 = corner.meeting.t2;
        corner.inner = t1 >= 0.0 && t1 <= 1.0 && t2 >= 0.0 && t2 <= 1.0;
        corner.outer = t1 > 1.0 && t2 < 0.0;
    }
    return corners;
}

// An inner corner may cut both lines back to their meeting point only when neither line would then
// run backwards: a line shorter than the cuts at its two ends is linked through the corners instead.
// The neighbouring corners are taken as cut whenever they are inner, which errs towards linking.
bool MayCutInnerCorner(const ScratchVector<CornerMeeting>& corners, int index, bool closed) {
    const int count = static_cast<int>(corners.size());
    const CornerMeeting& corner = corners[index];
    if (!corner.inner) {
        return false;
    }
    const bool hasPrevious = closed || index > 0;
    const bool hasNext = closed || index + 2 < count;
    const CornerMeeting& previous = corners[PreviousAround(index, count)];
    const CornerMeeting& next = corners[NextAround(index, count)];
    const double startOfFirst = hasPrevious && previous.inner ? previous.meeting.t2 : 0.0;
    const double endOfSecond = hasNext && next.inner ? next.meeting.t1 : 1.0;
    return startOfFirst < corner.meeting.t1 && corner.meeting.t2 < endOfSecond;
}

// How each offset line is joined to the next: the points linked in between them, all corners' points
// in one buffer, and whether they run around the corner at the offset distance (a round join) or
// through the corner vertex.
struct CornerJoins {
    ScratchVector<SDPoint> points;
    // Corner i's points are points[firstPoint[i]] to points[firstPoint[i + 1]].
    ScratchVector<int> firstPoint;
    ScratchVector<char> throughCorner;
};

// Joins each offset line to the next: inner corners are cut back to the meeting point, outer corners
// get a round join (or a miter). Any other pair, where a short edge keeps the lines from meeting within
// both, is linked through the corner vertex: the link lies inside the band and is dropped later, but
// it leaves the two lines apart in the chain, so their crossing is cut like any other.
CornerJoins JoinCorners(std::span<const Chord> contour, ScratchVector<Chord>& lines, double distance,
                        bool closed) {
    const int count = static_cast<int>(lines.size());
    const ScratchVector<CornerMeeting> corners = MeetCorners(lines, closed);
    ScratchVector<char> cut(count, 0);
    for (int index = 0; index < count; ++index) {
        cut[index] = MayCutInnerCorner(corners, index, closed);
    }
    CornerJoins joins;
    // A round join has two points at least.
    joins.points.reserve(2 * count);
    joins.firstPoint.reserve(count + 1);
    joins.throughCorner.assign(count, 0);
    const int pairCount = closed ? count : count - 1;
    const JoinRadius join(distance);
    for (int index = 0; index < count; ++index) {
        joins.firstPoint.push_back(static_cast<int>(joins.points.size()));
        if (index >= pairCount) {
            continue;
        }
        Chord& a = lines[index];
        Chord& b = lines[NextAround(index, count)];
        const CornerMeeting& corner = corners[index];
        const bool rounded =
            corner.outer && AppendRoundJoin(contour[index].end, join, a.end, b.start, joins.points);
        if (cut[index] || (corner.outer && !rounded)) {
            a.end = corner.meeting.point;
            b.start = corner.meeting.point;
        } else if (!corner.outer && !Coincide(a.end, b.start)) {
            joins.points.insert(joins.points.end(), {a.end, contour[index].end, b.start});
            joins.throughCorner[index] = 1;
        }
    }
    joins.firstPoint.push_back(static_cast<int>(joins.points.size()));
    return joins;
}

// What an offset piece runs beside.
enum class PieceOrigin {
    kSegment,        // the contour segment it was offset from
    kCornerArc,      // the corner at the end of that segment, as part of its round join
    kThroughCorner,  // nothing: a link through the corner vertex, inside the band everywhere
};

// What a piece of the offset runs beside. Large contours have hundreds of thousands of pieces, so
// the segment is named by its index rather than copied.
struct PieceSource {
    int segment;
    PieceOrigin origin;
};

// What the piece runs beside, a corner as a chord of zero length.
Chord GeneratorOf(const PieceSource& source, std::span<const Chord> contour) {
    const Chord& segment = contour[source.segment];
    return source.origin == PieceOrigin::kSegment ? segment : Chord{segment.end, segment.end};
}

// The offset as one chain of chords with what each runs beside.
struct OffsetChain {
    ScratchVector<Chord> chords;
    ScratchVector<PieceSource> sources;
};

// The offset lines with the join chords linked in after each, as one chain whose pieces share their
// joining points exactly (later stages find junctions by exact points); chords shorter than
// kCoincidence are left out and their neighbours joined across them.
OffsetChain LinkJoins(const ScratchVector<Chord>& lines, const CornerJoins& joins, bool closed) {
    // Consecutive chords meet within rounding, or across a left-out chord, when nearer than this.
    constexpr double kJoinReach = 2 * kCoincidence;
    OffsetChain work;
    work.chords.reserve(lines.size() + joins.points.size());
    work.sources.reserve(lines.size() + joins.points.size());
    auto add = [&](Chord chord, int segment, PieceOrigin origin) {
        if (IsShorterThanCoincidence(chord)) {
            return;
        }
        if (!work.chords.empty() && WithinDistance(work.chords.back().end, chord.start, kJoinReach)) {
            chord.start = work.chords.back().end;
        }
        work.chords.push_back(chord);
        work.sources.push_back({segment, origin});
    };
    for (int index = 0; index < static_cast<int>(lines.size()); ++index) {
        add(lines[index], index, PieceOrigin::kSegment);
        const PieceOrigin origin =
            joins.throughCorner[index] ? PieceOrigin::kThroughCorner : PieceOrigin::kCornerArc;
        for (int point = joins.firstPoint[index]; point + 1 < joins.firstPoint[index + 1]; ++point) {
            add({joins.points[point], joins.points[point + 1]}, index, origin);
        }
    }
    if (closed && work.chords.size() > 1 &&
        WithinDistance(work.chords.back().end, work.chords.front().start, kJoinReach)) {
        work.chords.back().end = work.chords.front().start;
    }
    return work;
}

// Rounding slack of the comparison between distances to the contour.
constexpr double kDistanceSlack = 1e-7;

// Which of the two limits of the band test some contour chord comes within.
struct NearerChords {
    bool withinReach = false;
    bool withinInner = false;
};

// A contour chord whose distance from the point is known already, or index -1.
struct KnownDistance {
    int index;
    double distance;
};

// For each limit, whether some contour chord whose box overlaps the square of half side `limit` around
// the point lies nearer to it than `limit`; a limit of zero or less finds none. One walk over the chords
// near the point answers both, and stops once a chord has been found within each.
NearerChords FindNearerChords(ChordGrid& grid, std::span<const Chord> contour, SDPoint point, double reach,
                              double inner, KnownDistance known) {
    const bool askReach = !(reach <= 0.0), askInner = !(inner <= 0.0);
    const Box atPoint{point.x, point.y, point.x, point.y};
    const Box aroundReach = atPoint.Grown(reach), aroundInner = atPoint.Grown(inner);
    NearerChords found;
    grid.ForEachNearUntil({point, point}, [&](int other) {
        const Box box = BoxOf(contour[other]);
        const bool overReach = askReach && !found.withinReach && box.Overlaps(aroundReach);
        const bool overInner = askInner && !found.withinInner && box.Overlaps(aroundInner);
        if (overReach || overInner) {
            const double distance =
                other == known.index ? known.distance : DistanceToChord(point, contour[other]);
            found.withinReach = found.withinReach || (overReach && distance < reach);
            found.withinInner = found.withinInner || (overInner && distance < inner);
        }
        return found.withinReach && found.withinInner;
    });
    return found;
}

// Keeps the pieces (the chain cut at all its crossings) that are no closer to any part of the
// contour than to what they run beside. Once every crossing is a vertex a piece lies wholly inside or
// wholly outside the band along the contour, so its middle decides. Dropped pieces within the round
// joins' chord error of the band's edge are marked, since where two joins cross the judgement is only
// that exact.
ScratchVector<char> OutsideBand(const CutChain& cut, const OffsetChain& work, std::span<const Chord> contour,
                                double distance) {
    // Every query reaches less than the distance, so a contour chord closer than that shares a cell
    // with the query point in a grid whose margin is half the distance.
    ChordGrid grid(contour, distance / 2);
    ScratchVector<char> kept(cut.pieces.size(), kPieceDropped);
    for (std::size_t index = 0; index < cut.pieces.size(); ++index) {
        const PieceSource& source = work.sources[cut.sources[index]];
        if (source.origin == PieceOrigin::kThroughCorner) {
            continue;
        }
        const SDPoint middle = PointAtParameter(cut.pieces[index], 0.5);
        // A mitre's tip lies farther than the distance from its corner; anything beyond the distance
        // from the whole contour is outside the band all the same.
        const double generatorDistance = DistanceToChord(middle, GeneratorOf(source, contour));
        const double reach = std::min(generatorDistance, distance) - kDistanceSlack;
        // A piece's own segment is one of the chords near it; its distance is the one just measured.
        const KnownDistance known{source.origin == PieceOrigin::kSegment ? source.segment : -1,
                                  generatorDistance};
        const NearerChords nearer =
            FindNearerChords(grid, contour, middle, reach, distance - kArcChordError, known);
        if (!nearer.withinReach) {
            kept[index] = kPieceKept;
        } else if (!nearer.withinInner) {
            kept[index] = kPieceBarelyInBand;
        }
    }
    return kept;
}

// Coordinates and distances up to this size keep every rounding in the band test far below
// kDistanceSlack, which the shortcut below relies on.
constexpr double kConvexShortcutReach = 1e6;

// The contour is a convex polygon, its chords joined end to end exactly, turning the same way at every
// vertex and once around, and the offset runs on its outer side. Then the supporting line of every
// segment leaves the whole contour on its inner side, so every point of the raw offset lines lies at
// least the distance from the contour, and every point of a round join lies in the corner's normal
// cone, nearest to the corner: no piece that runs beside something is nearer to any other part of the
// contour than to it. The turns are judged only where their cross product's sign survives rounding.
bool OffsetsAwayFromConvexContour(std::span<const Chord> contour, double distance, bool toTheLeft) {
    if (contour.size() < 3 || !(distance <= kConvexShortcutReach)) {
        return false;
    }
    const int turn = toTheLeft ? -1 : 1;  // the outer side is to the left of a clockwise contour
    int lastNonZeroDy = 0;
    int firstNonZeroDy = 0;
    int dySignChanges = 0;
    for (std::size_t index = 0; index < contour.size(); ++index) {
        const Chord& a = contour[index];
        const Chord& b = contour[NextAround(index, contour.size())];
        if (a.end.x != b.start.x || a.end.y != b.start.y || !(std::fabs(a.start.x) <= kConvexShortcutReach) ||
            !(std::fabs(a.start.y) <= kConvexShortcutReach)) {
            return false;
        }
        const double ax = a.end.x - a.start.x, ay = a.end.y - a.start.y;
        const double bx = b.end.x - b.start.x, by = b.end.y - b.start.y;
        const double cross = ax * by - ay * bx;
        const double scale = std::fabs(ax * by) + std::fabs(ay * bx);
        if (!(turn * cross > 1e-12 * scale)) {
            return false;
        }
        // With every turn below a half turn, the edges' direction crosses the x axis twice per time
        // around; the sign of a difference of doubles is exact.
        const int dy = (ay > 0.0) - (ay < 0.0);
        if (dy != 0) {
            if (lastNonZeroDy != 0 && dy != lastNonZeroDy) {
                ++dySignChanges;
            }
            if (firstNonZeroDy == 0) {
                firstNonZeroDy = dy;
            }
            lastNonZeroDy = dy;
        }
    }
    if (lastNonZeroDy != firstNonZeroDy) {
        ++dySignChanges;
    }
    return dySignChanges == 2;
}

// The chain holds every offset line and every join chord, none left out for being too short, and no
// link through a corner: its chords then meet end to end within rounding, so that they lie on the
// offset lines and round joins themselves.
bool LinkedWithoutGaps(const ScratchVector<Chord>& lines, const CornerJoins& joins, const OffsetChain& work) {
    std::size_t chordCount = lines.size();
    for (std::size_t corner = 0; corner < lines.size(); ++corner) {
        if (joins.throughCorner[corner]) {
            return false;
        }
        chordCount += std::max(joins.firstPoint[corner + 1] - joins.firstPoint[corner] - 1, 0);
    }
    return work.chords.size() == chordCount;
}

// Drops a kept piece that repeats an earlier kept one (same start and end): offsets of collinear walls
// overlap and leave such twins once they are cut at each other's ends. The kept pieces are listed by
// the cell of their start; a twin's start lies in one of the at most two cells per axis that the
// start's reach of kCoincidence (a little more, for rounding) overlaps, mostly in one.
void DropRepeatedPieces(const ScratchVector<Chord>& pieces, ScratchVector<char>& kept) {
    constexpr double kCellSize = 4 * kCoincidence;
    constexpr double kReach = kCoincidenceReach;
    ScratchVector<PointKey> cellOf(pieces.size());
    ListHeads firstInCell(pieces.size(), [&cellOf](int piece) { return cellOf[piece]; });
    ScratchVector<int> nextInCell(pieces.size(), -1);
    auto hasTwin = [&](const Chord& piece) {
        const PointKey low = CellKeyOf(piece.start.x - kReach, piece.start.y - kReach, kCellSize);
        const PointKey high = CellKeyOf(piece.start.x + kReach, piece.start.y + kReach, kCellSize);
        for (std::uint64_t column = low.x; column != high.x + 1; ++column) {
            for (std::uint64_t row = low.y; row != high.y + 1; ++row) {
                for (int other = firstInCell.Find({column, row}); other >= 0; other = nextInCell[other]) {
                    if (CoincideInXAndY(pieces[other].start, piece.start) &&
                        CoincideInXAndY(pieces[other].end, piece.end)) {
                        return true;
                    }
                }
            }
        }
        return false;
    };
    for (std::size_t index = 0; index < pieces.size(); ++index) {
        if (kept[index] != kPieceKept) {
            continue;
        }
        if (hasTwin(pieces[index])) {
            kept[index] = kPieceDropped;
            continue;
        }
        cellOf[index] = CellKeyOf(pieces[index].start.x, pieces[index].start.y, kCellSize);
        nextInCell[index] = firstInCell.PushFront(static_cast<int>(index));
    }
}

// The rings of an open contour: the kept pieces in chain order, divided where they run into themselves.
std::vector<ScratchVector<SDPoint>> OpenRings(const ScratchVector<Chord>& pieces,
                                              const ScratchVector<char>& kept) {
    std::vector<Chord> chain;
    chain.reserve(pieces.size());
    for (std::size_t index = 0; index < pieces.size(); ++index) {
        if (kept[index] == kPieceKept) {
            chain.push_back(pieces[index]);
        }
    }
    std::vector<ScratchVector<SDPoint>> rings;
    for (const std::vector<SDPoint>& ring : RingSplitter(chain).Split()) {
        const std::vector<SDPoint> kept = WithoutRepeatedVertices(ring);
        rings.emplace_back(kept.begin(), kept.end());
    }
    return rings;
}

// The chain runs clear of itself, every piece is kept, and each piece starts exactly where the one
// before it ends, round to the first: the chain is one ring. The walk along junctions would take its
// pieces in turn from the first, each junction being the start of one piece only, and no piece
// repeats another.
bool IsOneWholeRing(const CutChain& cut, const ScratchVector<char>& kept) {
    const ScratchVector<Chord>& pieces = cut.pieces;
    if (!cut.runsClear ||
        !std::all_of(kept.begin(), kept.end(), [](char fate) { return fate == kPieceKept; })) {
        return false;
    }
    for (std::size_t index = 0; index < pieces.size(); ++index) {
        const SDPoint end = pieces[index].end;
        const SDPoint next = pieces[NextAround(index, pieces.size())].start;
        if (end.x != next.x || end.y != next.y) {
            return false;
        }
    }
    return true;
}

// The vertices of a chain that is one whole ring, the first repeated at the end, as the walk gives them.
// No two of them coincide in x and y but the first and the last, as no two pieces start so close.
ScratchVector<SDPoint> VerticesOfWholeRing(const ScratchVector<Chord>& pieces) {
    ScratchVector<SDPoint> vertices;
    vertices.reserve(pieces.size() + 1);
    for (const Chord& piece : pieces) {
        vertices.push_back(piece.start);
    }
    vertices.push_back(pieces.front().start);
    return vertices;
}

// Adds the ring to the rings once finished for cutting; its vertices hold no repeats.
void AddFinishedRing(ScratchVector<SDPoint> vertices, std::vector<ScratchVector<SDPoint>>& rings) {
    ScratchVector<SDPoint> ring = FinishedClosedRing(std::move(vertices));
    if (!ring.empty()) {
        rings.push_back(std::move(ring));
    }
}

// Which pieces the windings settle.
enum class Settle {
    kUndropped,  // the pieces that the band test did not drop
    kEvery,      // every piece: where the chain runs into itself in clusters of near crossings, its
                 // pieces may bound the covered region well inside the band
};

// Settles pieces by what the chain covers: the offset of a closed contour is the region around which
// the chain winds in the contour's own sense, and a piece bounds it when exactly one of its sides lies
// in that region. Near the band's edge the distances alone cannot tell, as the round joins' chords
// lie inside their arcs; the windings do not depend on that.
void KeepPiecesBoundingTheCover(const ScratchVector<Chord>& pieces, ScratchVector<char>& kept,
                                bool counterClockwise, Settle settle) {
    const WindingCounter windings(pieces);
    const int sense = counterClockwise ? 1 : -1;
    for (std::size_t index = 0; index < pieces.size(); ++index) {
        if (settle == Settle::kUndropped && kept[index] == kPieceDropped) {
            continue;
        }
        const SideWindings sides = windings.BesideMiddleOf(static_cast<int>(index));
        const bool leftCovered = sense * sides.left > 0, rightCovered = sense * sides.right > 0;
        kept[index] = leftCovered != rightCovered ? kPieceKept : kPieceDropped;
    }
}

// The rings of a closed contour, walked along exact junctions and finished for cutting, into `rings`.
// Returns false when a walk found no way on from where it stopped.
bool WalkClosedRings(const CutChain& cut, ScratchVector<char>& kept, bool toTheLeft, bool counterClockwise,
                     Settle settle, std::vector<ScratchVector<SDPoint>>& rings) {
    if (IsOneWholeRing(cut, kept)) {
        AddFinishedRing(VerticesOfWholeRing(cut.pieces), rings);
        return true;
    }
    KeepPiecesBoundingTheCover(cut.pieces, kept, counterClockwise, settle);
    DropRepeatedPieces(cut.pieces, kept);
    bool allClosed = true;
    for (WalkedRing& walked : WalkRings(cut.pieces, kept, toTheLeft)) {
        allClosed = allClosed && walked.closed;
        AddFinishedRing(WithoutRepeatedVertices(walked.vertices), rings);
    }
    return allClosed;
}

// The pieces cut once more where they meet, each still naming the chord it came from. A chord that
// another's end touches is cut at that end, off its own line by up to kCoincidence, and the bent
// pieces may then cross a third chord where the chord itself did not.
CutChain CutAgain(const CutChain& cut) {
    CutChain again = CutWhereChordsMeet(cut.pieces);
    for (int& source : again.sources) {
        source = cut.sources[source];
    }
    again.runsClear = false;
    return again;
}

}  // namespace

bool OffsetsToTheLeft(int side, int direction) {
    return side == kOffsetInward ? direction == -1 : direction != -1;
}

std::vector<ScratchVector<SDPoint>> OffsetContour(std::span<const Chord> contour, double distance, int side) {
    if (contour.empty()) {
        return {};
    }
    const ContourShape shape = ExamineContour(contour);
    const bool toTheLeft = OffsetsToTheLeft(side, shape.direction);
    ScratchVector<Chord> lines = RawOffsetLines<ScratchVector<Chord>>(contour, distance, toTheLeft);
    const CornerJoins joins = JoinCorners(contour, lines, distance, shape.closed);
    const OffsetChain work = LinkJoins(lines, joins, shape.closed);
    // Cuts every pair of non-neighbouring pieces where they meet, so that all crossings become vertices.
    CutChain cut = CutWhereChordsMeet(work.chords);
    // Beside a convex contour, offset on its outer side, nothing of the offset comes into the band.
    const bool clearOfTheBand =
        OffsetsAwayFromConvexContour(contour, distance, toTheLeft) && LinkedWithoutGaps(lines, joins, work);
    ScratchVector<char> kept = clearOfTheBand ? ScratchVector<char>(cut.pieces.size(), kPieceKept)
                                              : OutsideBand(cut, work, contour, distance);
    if (shape.closed) {
        // Inward, the offset runs on the left of a counter-clockwise contour; outward, on its right.
        const bool counterClockwise = (side == kOffsetInward) == toTheLeft;
        std::vector<ScratchVector<SDPoint>> rings;
        if (!WalkClosedRings(cut, kept, toTheLeft, counterClockwise, Settle::kUndropped, rings)) {
            // Slower, and needed only where the chain runs into itself in tight clusters.
            cut = CutAgain(cut);
            kept = OutsideBand(cut, work, contour, distance);
            rings.clear();
            WalkClosedRings(cut, kept, toTheLeft, counterClockwise, Settle::kEvery, rings);
        }
        return rings;
    }
    DropRepeatedPieces(cut.pieces, kept);
    return OpenRings(cut.pieces, kept);
}

}  // namespace pathsmith
