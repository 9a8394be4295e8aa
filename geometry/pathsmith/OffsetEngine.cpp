// Offset engine: raw offset lines, corner joins, crossings, band filter and ring split.
#include "OffsetEngine.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "BoxTree.h"
#include "ChordGrid.h"
#include "Contours.h"
#include "ChordCutter.h"
#include "RingFinish.h"
#include "RingSplitter.h"

namespace pathsmith {

namespace {

// Turns closer to straight than this, or this close to a right angle, are mitred instead of rounded.
constexpr double kRoundJoinAngleTolerance = kRadiansPerDegree;

// The arc points around an outer corner, or none when the corner is to be mitred.
std::vector<SDPoint> RoundJoin(SDPoint corner, double radius, SDPoint from, SDPoint to) {
    std::vector<SDPoint> arc;
    if (radius <= kMinRoundRadius) {
        return arc;
    }
    const double startAngle = SignedAngle({corner.x + 1.0, corner.y}, from, corner);
    const double sweep = SignedAngle(from, to, corner);
    if (std::fabs(sweep) < kRoundJoinAngleTolerance ||
        std::fabs(std::fabs(sweep) - kHalfPi) <= kRoundJoinAngleTolerance) {
        return arc;
    }
    AppendArcPoints(corner, radius, startAngle, startAngle + sweep, arc);
    return arc;
}

// Where the lines of an offset line and the next one meet, judged on the lines as first offset.
struct CornerMeeting {
    LineMeeting meeting;
    bool inner = false;  // within both lines, ends included: a meeting snapped onto an end still joins
    bool outer = false;  // beyond the first line's end and before the second one's start
};

std::vector<CornerMeeting> MeetCorners(const std::vector<Chord>& lines, bool closed) {
    const int count = static_cast<int>(lines.size());
    std::vector<CornerMeeting> corners(count);
    const int pairCount = closed ? count : count - 1;
    for (int index = 0; index < pairCount; ++index) {
        CornerMeeting& corner = corners[index];
        if (!IntersectLines(lines[index], lines[(index + 1) % count], corner.meeting)) {
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
bool MayCutInnerCorner(const std::vector<CornerMeeting>& corners, int index, bool closed) {
    const int count = static_cast<int>(corners.size());
    const CornerMeeting& corner = corners[index];
    if (!corner.inner) {
        return false;
    }
    const bool hasPrevious = closed || index > 0;
    const bool hasNext = closed || index + 2 < count;
    const CornerMeeting& previous = corners[(index + count - 1) % count];
    const CornerMeeting& next = corners[(index + 1) % count];
    const double startOfFirst = hasPrevious && previous.inner ? previous.meeting.t2 : 0.0;
    const double endOfSecond = hasNext && next.inner ? next.meeting.t1 : 1.0;
    return startOfFirst < corner.meeting.t1 && corner.meeting.t2 < endOfSecond;
}

// How an offset line is joined to the next one: the points linked in between them, and whether
// they run around the corner at the offset distance (a round join) or through the corner vertex.
struct CornerJoin {
    std::vector<SDPoint> points;
    bool throughCorner = false;
};

// Joins each offset line to the next: inner corners are cut back to the meeting point, outer corners
// get a round join (or a miter). Any other pair, where a short edge keeps the lines from meeting within
// both, is linked through the corner vertex: the link lies inside the band and is dropped later, but
// it leaves the two lines apart in the chain, so their crossing is cut like any other.
std::vector<CornerJoin> JoinCorners(const std::vector<Chord>& contour, std::vector<Chord>& lines,
                                    double distance, bool closed) {
    const int count = static_cast<int>(lines.size());
    const std::vector<CornerMeeting> corners = MeetCorners(lines, closed);
    std::vector<char> cut(count, 0);
    for (int index = 0; index < count; ++index) {
        cut[index] = MayCutInnerCorner(corners, index, closed);
    }
    std::vector<CornerJoin> joins(count);
    const int pairCount = closed ? count : count - 1;
    for (int index = 0; index < pairCount; ++index) {
        Chord& a = lines[index];
        Chord& b = lines[(index + 1) % count];
        const CornerMeeting& corner = corners[index];
        if (corner.outer) {
            joins[index].points = RoundJoin(contour[index].end, distance, a.end, b.start);
        }
        if (cut[index] || (corner.outer && joins[index].points.empty())) {
            a.end = corner.meeting.point;
            b.start = corner.meeting.point;
        } else if (!corner.outer && !Coincide(a.end, b.start)) {
            joins[index] = {{a.end, contour[index].end, b.start}, true};
        }
    }
    return joins;
}

// What an offset piece runs beside.
enum class PieceOrigin {
    kSegment,        // the contour segment it was offset from
    kCornerArc,      // the corner at the end of that segment, as part of its round join
    kThroughCorner,  // nothing: a link through the corner vertex, inside the band everywhere
};

// A piece of the offset with what it runs beside. Large contours have hundreds of thousands of
// pieces, so the segment is named by its index rather than copied.
struct OffsetPiece {
    Chord chord;
    int segment;
    PieceOrigin origin;
};

// What the piece runs beside, a corner as a chord of zero length.
Chord GeneratorOf(const OffsetPiece& piece, const std::vector<Chord>& contour) {
    const Chord& segment = contour[piece.segment];
    return piece.origin == PieceOrigin::kSegment ? segment : Chord{segment.end, segment.end};
}

// The offset lines with the join chords linked in after each; chords shorter than kCoincidence are left out.
std::vector<OffsetPiece> LinkJoins(const std::vector<Chord>& lines, const std::vector<CornerJoin>& joins) {
    std::vector<OffsetPiece> work;
    work.reserve(lines.size() * 2);
    auto add = [&](const Chord& chord, int segment, PieceOrigin origin) {
        if (!IsShorterThanCoincidence(chord)) {
            work.push_back({chord, segment, origin});
        }
    };
    for (int index = 0; index < static_cast<int>(lines.size()); ++index) {
        add(lines[index], index, PieceOrigin::kSegment);
        const CornerJoin& join = joins[index];
        const PieceOrigin origin = join.throughCorner ? PieceOrigin::kThroughCorner : PieceOrigin::kCornerArc;
        for (std::size_t point = 0; point + 1 < join.points.size(); ++point) {
            add({join.points[point], join.points[point + 1]}, index, origin);
        }
    }
    return work;
}

// Cuts every pair of non-neighbouring pieces where they meet, so that all crossings become vertices.
std::vector<OffsetPiece> SplitAtCrossings(const std::vector<OffsetPiece>& work) {
    std::vector<Chord> chain;
    chain.reserve(work.size());
    for (const OffsetPiece& piece : work) {
        chain.push_back(piece.chord);
    }
    std::vector<OffsetPiece> pieces;
    const std::vector<CutPiece> cut = CutWhereChordsMeet(chain);
    pieces.reserve(cut.size());
    for (const CutPiece& piece : cut) {
        const OffsetPiece& whole = work[piece.source];
        pieces.push_back({piece.chord, whole.segment, whole.origin});
    }
    return pieces;
}

// Rounding slack of the comparison between distances to the contour.
constexpr double kDistanceSlack = 1e-7;

// Keeps the pieces that are no closer to any part of the contour than to what they run beside. Once
// every crossing is a vertex a piece lies wholly inside or wholly outside the band along the contour,
// so its middle decides.
std::vector<Chord> WithoutPiecesInBand(const std::vector<OffsetPiece>& pieces,
                                       const std::vector<Chord>& contour, double distance) {
    std::vector<Box> boxes;
    boxes.reserve(contour.size());
    for (const Chord& chord : contour) {
        boxes.push_back(BoxOf(chord));
    }
    const BoxTree tree(std::move(boxes));
    std::vector<Chord> kept;
    kept.reserve(pieces.size());
    for (const OffsetPiece& piece : pieces) {
        if (piece.origin == PieceOrigin::kThroughCorner) {
            continue;
        }
        const SDPoint middle = PointAtParameter(piece.chord, 0.5);
        // A mitre's tip lies farther than the distance from its corner; anything beyond the distance
        // from the whole contour is outside the band all the same.
        const double reach =
            std::min(DistanceToChord(middle, GeneratorOf(piece, contour)), distance) - kDistanceSlack;
        const bool inBand = reach > 0.0 && tree.Search(BoxAround(middle, reach), [&](int index) {
            return DistanceToChord(middle, contour[index]) < reach;
        });
        if (!inBand) {
            kept.push_back(piece.chord);
        }
    }
    return kept;
}

// Drops a piece that repeats an earlier one (same start and end): offsets of collinear walls overlap
// and leave such twins once they are cut at each other's ends.
std::vector<Chord> WithoutRepeatedPieces(const std::vector<Chord>& pieces) {
    ChordGrid grid(pieces, 2 * kCoincidence);
    std::vector<char> repeated(pieces.size(), 0);
    std::vector<Chord> kept;
    kept.reserve(pieces.size());
    for (std::size_t index = 0; index < pieces.size(); ++index) {
        const Chord& piece = pieces[index];
        grid.ForEachNearItem(static_cast<int>(index), [&](int other) {
            if (static_cast<std::size_t>(other) < index && !repeated[other] &&
                CoincideInXAndY(pieces[other].start, piece.start) &&
                CoincideInXAndY(pieces[other].end, piece.end)) {
                repeated[index] = 1;
            }
        });
        if (!repeated[index]) {
            kept.push_back(piece);
        }
    }
    return kept;
}

}  // namespace

bool OffsetsToTheLeft(int side, int direction) {
    return side == kOffsetInward ? direction == -1 : direction != -1;
}

std::vector<Chord> RawOffsetLines(const std::vector<Chord>& contour, double distance, bool toTheLeft) {
    std::vector<Chord> lines;
    lines.reserve(contour.size());
    for (const Chord& chord : contour) {
        lines.push_back(
            {OffsetStartPoint(chord, distance, toTheLeft), OffsetEndPoint(chord, distance, toTheLeft)});
    }
    return lines;
}

std::vector<std::vector<SDPoint>> OffsetContour(const std::vector<Chord>& contour, double distance,
                                                int side) {
    if (contour.empty()) {
        return {};
    }
    const ContourShape shape = ExamineContour(contour);
    std::vector<Chord> lines = RawOffsetLines(contour, distance, OffsetsToTheLeft(side, shape.direction));
    const std::vector<CornerJoin> joins = JoinCorners(contour, lines, distance, shape.closed);
    const std::vector<Chord> work =
        WithoutRepeatedPieces(WithoutPiecesInBand(SplitAtCrossings(LinkJoins(lines, joins)), contour, distance));
    std::vector<std::vector<SDPoint>> rings = RingSplitter(work).Split();
    std::vector<std::vector<SDPoint>> finished;
    finished.reserve(rings.size());
    for (std::vector<SDPoint>& ring : rings) {
        ring = WithoutRepeatedVertices(ring);
        if (shape.closed) {
            ring = FinishedClosedRing(std::move(ring));
        }
        if (!ring.empty()) {
            finished.push_back(std::move(ring));
        }
    }
    return finished;
}

}  // namespace pathsmith
