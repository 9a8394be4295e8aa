// Offset engine: raw offset lines, corner joins, crossings, band filter and ring split.
#include "OffsetEngine.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "BoxTree.h"
#include "ChordGrid.h"
#include "Contours.h"
#include "CrossingSplitter.h"
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

// Joins each offset line to the next: inner corners are cut back to the meeting point, outer corners
// get a round join (or a miter), anything else stays as it is. Returns the arc points to be linked in
// after each line.
std::vector<std::vector<SDPoint>> JoinCorners(const std::vector<Chord>& contour, std::vector<Chord>& lines,
                                              double distance, bool closed) {
    const int count = static_cast<int>(lines.size());
    std::vector<std::vector<SDPoint>> joins(count);
    const int pairCount = closed ? count : count - 1;
    for (int index = 0; index < pairCount; ++index) {
        Chord& a = lines[index];
        Chord& b = lines[(index + 1) % count];
        LineMeeting meeting;
        if (!IntersectLines(a, b, meeting)) {
            continue;
        }
        const bool innerCorner = meeting.t1 > 0.0 && meeting.t1 < 1.0 && meeting.t2 > 0.0 && meeting.t2 < 1.0;
        const bool outerCorner = meeting.t1 > 1.0 && meeting.t2 < 0.0;
        if (outerCorner) {
            joins[index] = RoundJoin(contour[index].end, distance, a.end, b.start);
        }
        if (innerCorner || (outerCorner && joins[index].empty())) {
            a.end = meeting.point;
            b.start = meeting.point;
        }
    }
    return joins;
}

// A piece of the offset with what it runs beside: the contour segment it was offset from, or the
// corner at the end of that segment whose round join it belongs to. Large contours have hundreds
// of thousands of pieces, so the segment is named by its index rather than copied.
struct OffsetPiece {
    Chord chord;
    int segment;
    bool ofCorner;
};

// What the piece runs beside, a corner as a chord of zero length.
Chord GeneratorOf(const OffsetPiece& piece, const std::vector<Chord>& contour) {
    const Chord& segment = contour[piece.segment];
    return piece.ofCorner ? Chord{segment.end, segment.end} : segment;
}

// The offset lines with the join chords linked in after each; chords shorter than kCoincidence are left out.
std::vector<OffsetPiece> LinkJoins(const std::vector<Chord>& lines,
                                   const std::vector<std::vector<SDPoint>>& joins) {
    std::vector<OffsetPiece> work;
    work.reserve(lines.size() * 2);
    auto add = [&](const Chord& chord, int segment, bool ofCorner) {
        if (!IsShorterThanCoincidence(chord)) {
            work.push_back({chord, segment, ofCorner});
        }
    };
    for (int index = 0; index < static_cast<int>(lines.size()); ++index) {
        add(lines[index], index, false);
        const std::vector<SDPoint>& arc = joins[index];
        for (std::size_t point = 0; point + 1 < arc.size(); ++point) {
            add({arc[point], arc[point + 1]}, index, true);
        }
    }
    return work;
}

// An end of one piece that coincides with a point inside another piece cuts that piece there; this
// also catches crossings within kCoincidence of an end, whose parameter snaps to the end.
constexpr double kJunctionTolerance = kCoincidence;

// The end `point` of one piece lies inside `chord`, away from its ends; t is its parameter there.
bool EndTouchesInside(SDPoint point, const Chord& chord, double& t) {
    t = ParameterOnChord(point, chord);
    return t > 0.0 && t < 1.0 && Distance(point, PointAtParameter(chord, t)) <= kJunctionTolerance;
}

// Where two offset pieces must be cut: at a crossing strictly inside both, or where an end of one
// touches the inside of the other (the offsets of two walls of a notch meet the offset of its rim
// that way). Both kinds of meeting are where the offset may pass from valid to invalid.
bool FindCut(const Chord& a, const Chord& b, LineMeeting& meeting) {
    // A crossing inside both pieces lies in both boxes, so plain boxes stand in for the rounded rectangles.
    if (BoxOf(a).Grown(kCoincidence).Overlaps(BoxOf(b)) && IntersectLines(a, b, meeting) &&
        meeting.t1 > 0.0 && meeting.t1 < 1.0 && meeting.t2 > 0.0 && meeting.t2 < 1.0) {
        return true;
    }
    double t = 0.0;
    for (const auto& [end, parameter] : {std::pair{b.start, 0.0}, std::pair{b.end, 1.0}}) {
        if (EndTouchesInside(end, a, t)) {
            meeting = {end, t, parameter, 1};
            return true;
        }
    }
    for (const auto& [end, parameter] : {std::pair{a.start, 0.0}, std::pair{a.end, 1.0}}) {
        if (EndTouchesInside(end, b, t)) {
            meeting = {end, parameter, t, 1};
            return true;
        }
    }
    return false;
}

// Cuts every pair of non-neighbouring pieces where they meet, so that all crossings become vertices.
std::vector<OffsetPiece> SplitAtCrossings(const std::vector<OffsetPiece>& work) {
    std::vector<SDPoint> points;
    std::vector<CrossingSplitter::Edge> edges;
    points.reserve(2 * work.size());
    edges.reserve(work.size());
    for (const OffsetPiece& piece : work) {
        const int start = static_cast<int>(points.size());
        points.push_back(piece.chord.start);
        points.push_back(piece.chord.end);
        edges.push_back({start, start + 1});
    }
    CrossingSplitter splitter(std::move(points), std::move(edges));
    splitter.SplitWithinList(FindCut);
    std::vector<int> edgeOfPiece;
    const std::vector<Chord> chords = splitter.Pieces(&edgeOfPiece);
    std::vector<OffsetPiece> pieces;
    pieces.reserve(chords.size());
    for (std::size_t index = 0; index < chords.size(); ++index) {
        const OffsetPiece& whole = work[edgeOfPiece[index]];
        pieces.push_back({chords[index], whole.segment, whole.ofCorner});
    }
    return pieces;
}

// Rounding slack of the comparison between distances to the contour.
constexpr double kDistanceSlack = 1e-7;

// Keeps the pieces that are no closer to any part of the contour than to what they run beside. Once
// every crossing is a vertex a piece lies wholly inside or wholly outside the band along the contour,
// so its middle decides.
std::vector<Chord> WithoutPiecesInBand(const std::vector<OffsetPiece>& pieces,
                                       const std::vector<Chord>& contour) {
    std::vector<Box> boxes;
    boxes.reserve(contour.size());
    for (const Chord& chord : contour) {
        boxes.push_back(BoxOf(chord));
    }
    const BoxTree tree(std::move(boxes));
    std::vector<Chord> kept;
    kept.reserve(pieces.size());
    for (const OffsetPiece& piece : pieces) {
        const SDPoint middle = PointAtParameter(piece.chord, 0.5);
        const double reach = DistanceToChord(middle, GeneratorOf(piece, contour)) - kDistanceSlack;
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
    const std::vector<std::vector<SDPoint>> joins = JoinCorners(contour, lines, distance, shape.closed);
    const std::vector<Chord> work =
        WithoutRepeatedPieces(WithoutPiecesInBand(SplitAtCrossings(LinkJoins(lines, joins)), contour));
    std::vector<std::vector<SDPoint>> rings = RingSplitter(work).Split();
    for (std::vector<SDPoint>& ring : rings) {
        ring = WithoutRepeatedVertices(ring);
    }
    return rings;
}

}  // namespace pathsmith
