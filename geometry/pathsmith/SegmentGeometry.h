// The primitives under every curve editing engine: parameters, distances, crossings and line
// intersections of segment chords, the perpendicular move of a point, signed angles and arc points.
// Every segment is used as its straight chord from start to end; control points never matter here.
#pragma once

#include <algorithm>
#include <cmath>
#include <vector>

#include "LineEx.h"
#include "RectEx.h"
#include "SDPoint.h"

namespace pathsmith {

// Two points closer than this are one point.
inline constexpr double kCoincidence = 0.001;
// A little more than kCoincidence: a search this far finds every point that coincides, however the
// differences round.
inline constexpr double kCoincidenceReach = 1.01 * kCoincidence;
// Chords whose direction determinant is no larger than this are parallel.
inline constexpr double kParallelDeterminant = 1e-8;
// Parameters this close to 0 or 1 are taken as 0 or 1.
inline constexpr double kParameterSnap = 1e-6;
inline constexpr double kRadiansPerDegree = 0.017453292519943295;
inline constexpr double kHalfPi = 1.5707963267948966;
inline constexpr double kFullTurn = 6.283185307179586;
// The largest distance between an arc and the chords that approximate it, in mm.
inline constexpr double kArcChordError = 0.01;

struct Chord {
    SDPoint start;
    SDPoint end;
};

inline Chord ChordOf(const CLineEx& segment) {
    return {segment.p0, segment.p1};
}

// Axis-aligned box of plain doubles, used by the spatial indexes (no rounding, unlike CRectEx).
struct Box {
    double minX;
    double minY;
    double maxX;
    double maxY;

    bool Overlaps(const Box& other) const {
        return minX <= other.maxX && other.minX <= maxX && minY <= other.maxY && other.minY <= maxY;
    }
    bool Contains(SDPoint p) const { return minX <= p.x && p.x <= maxX && minY <= p.y && p.y <= maxY; }
    Box Grown(double margin) const { return {minX - margin, minY - margin, maxX + margin, maxY + margin}; }
};

inline Box BoxOf(const Chord& chord) {
    return {std::min(chord.start.x, chord.end.x), std::min(chord.start.y, chord.end.y),
            std::max(chord.start.x, chord.end.x), std::max(chord.start.y, chord.end.y)};
}
Box BoxAround(SDPoint centre, double radius);

// The index after `index` round a cycle of `count` items, without a division.
template <typename Index>
Index NextAround(Index index, Index count) {
    return index + 1 == count ? Index{0} : index + 1;
}
// The index before `index` round a cycle of `count` items.
template <typename Index>
Index PreviousAround(Index index, Index count) {
    return index == 0 ? count - 1 : index - 1;
}

inline double Distance(SDPoint a, SDPoint b) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    return std::sqrt(dx * dx + dy * dy);
}
// Distance(a, b) <= limit. Points well beyond the limit, most of those asked about, need no square
// root: its rounding cannot bring a distance of sqrt(1.1) limit down to the limit.
inline bool WithinDistance(SDPoint a, SDPoint b, double limit) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double squared = dx * dx + dy * dy;
    return !(squared > 1.1 * limit * limit) && std::sqrt(squared) <= limit;
}
// True when the two points coincide (closer than kCoincidence): the segment between them is a point
// for CLineEx::IsPoint.
inline bool Coincide(SDPoint a, SDPoint b) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double squared = dx * dx + dy * dy;
    // Far apart points, nearly all of those asked about, need no square root: its rounding cannot bring
    // a distance of sqrt(1.1e-6), about 1.05 kCoincidence, below kCoincidence.
    return squared <= 1.1 * kCoincidence * kCoincidence && std::sqrt(squared) < kCoincidence;
}
// True when the points differ by at most kCoincidence in x and in y.
inline bool CoincideInXAndY(SDPoint a, SDPoint b) {
    return std::fabs(a.x - b.x) <= kCoincidence && std::fabs(a.y - b.y) <= kCoincidence;
}
inline bool IsShorterThanCoincidence(const Chord& chord) {
    return Coincide(chord.start, chord.end);
}

// Parameter of the foot of the perpendicular from p on the chord: 0 at the start, 1 at the end,
// snapped to 0 or 1 when p coincides with an end or the value is within kParameterSnap of it. Inline,
// as the distance below is: the band filter asks for it some ten times per offset piece.
inline double ParameterOnChord(SDPoint p, const Chord& chord) {
    if (Coincide(p, chord.start)) {
        return 0.0;
    }
    if (Coincide(p, chord.end)) {
        return 1.0;
    }
    const double dx = chord.end.x - chord.start.x, dy = chord.end.y - chord.start.y;
    const double lengthSquared = dx * dx + dy * dy;
    if (lengthSquared == 0.0) {
        return 0.0;
    }
    const double t = ((p.x - chord.start.x) * dx + (p.y - chord.start.y) * dy) / lengthSquared;
    if (std::fabs(t) < kParameterSnap) {
        return 0.0;
    }
    if (std::fabs(t - 1.0) < kParameterSnap) {
        return 1.0;
    }
    return t;
}
inline SDPoint PointAtParameter(const Chord& chord, double t) {
    return {chord.start.x + t * (chord.end.x - chord.start.x),
            chord.start.y + t * (chord.end.y - chord.start.y)};
}
// Distance from p to the nearest point of the chord (clamped to the chord), which goes to nearest.
inline double DistanceToChord(SDPoint p, const Chord& chord, SDPoint* nearest = nullptr) {
    const double t = ParameterOnChord(p, chord);
    const SDPoint foot = t < 0.0 ? chord.start : (t > 1.0 ? chord.end : PointAtParameter(chord, t));
    if (nearest != nullptr) {
        *nearest = foot;
    }
    return Distance(p, foot);
}

// The chords cross at a point strictly inside both; touching ends, parallel and collinear chords
// never cross. Chords count as parallel when the sine of their angle is at most kParallelDeterminant.
bool ChordsCross(const Chord& a, const Chord& b);

// Where two lines meet, with the parameter on each chord and the case code of the table below
// (rows: the first parameter, columns: the second):
//                  t2 in 0..1   t2 < 0   t2 > 1
//     t1 in 0..1        1          2        3
//     t1 > 1            4          5        6
//     t1 < 0            7          8        9
struct LineMeeting {
    SDPoint point{-1e10, -1e10};
    double t1 = 0.0;
    double t2 = 0.0;
    int caseCode = 0;
};
// False when a chord is shorter than kCoincidence or the lines are parallel. Shared end points are
// found first and reported with parameters 0 or 1.
bool IntersectLines(const Chord& a, const Chord& b, LineMeeting& meeting);
// Where the lines meet, without looking for shared ends first: two chords whose ends lie within
// kCoincidence of each other pairwise may still cross far from those ends. False when the lines are
// parallel.
bool MeetLines(const Chord& a, const Chord& b, LineMeeting& meeting);

// The chord moved by distance along its left normal (leftHand) or its right one, both ends by the
// same vector. A chord whose end equals its start gives (0, 0) for both ends.
Chord OffsetChord(const Chord& chord, double distance, bool leftHand);

// Signed angle from centre->p1 to centre->p2 in radians, in -pi..pi, positive counter-clockwise.
double SignedAngle(SDPoint p1, SDPoint p2, SDPoint centre);
// The same angle, neither point being the centre, from its cosine CosineAt(p1, p2, centre) already
// at hand.
double SignedAngleWithCosine(double cosine, SDPoint p1, SDPoint p2, SDPoint centre);
// The cosine of that angle, from the lengths of the triangle's sides as SignedAngle takes it; 1 when
// either point is the centre.
double CosineAt(SDPoint p1, SDPoint p2, SDPoint centre);
// The largest angle a chord of an arc of the given radius may span and stay within kArcChordError of
// the arc. The radius must exceed kMinRoundRadius.
double ArcStepAngle(double radius);
// Number of chords of an arc of the given sweep whose distance from the arc stays within
// kArcChordError, from the step angle ArcStepAngle(radius) of the arc's radius.
int ArcStepCountWithStepAngle(double stepAngle, double sweep);
// Radii up to this have no defined step angle; callers join such corners with a miter.
inline constexpr double kMinRoundRadius = kArcChordError / 2;
// Appends the points of the arc from angle a0 to a1 (radians) to out, a vector of points, ending
// exactly at a1, in steps of at most stepAngle, the ArcStepAngle of the radius (worked out once for
// the many arcs of one radius).
template <typename Points>
void AppendArcPoints(SDPoint centre, double radius, double stepAngle, double a0, double a1, Points& out) {
    const int steps = ArcStepCountWithStepAngle(stepAngle, a1 - a0);
    const double direction = a1 >= a0 ? 1.0 : -1.0;
    const double step = direction * std::fabs(a1 - a0) / steps;
    auto emit = [&](double angle) {
        out.push_back({centre.x + radius * std::cos(angle), centre.y + radius * std::sin(angle)});
    };
    for (double angle = a0; direction > 0 ? angle < a1 : angle > a1; angle += step) {
        emit(angle);
    }
    emit(a1);
}

// The chord's rectangle as the curve classes round it.
CRectEx ChordRect(const Chord& chord);
bool RectsOverlap(CRectEx a, const CRectEx& b);
// Smallest rectangle holding every start and end point; an empty list gives an empty rectangle at 0.
CRectEx ContourRect(const std::vector<Chord>& chords);

}  // namespace pathsmith
