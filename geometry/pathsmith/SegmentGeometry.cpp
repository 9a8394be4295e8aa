// Chord primitives of the curve editing engines.
#include "SegmentGeometry.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace pathsmith {

namespace {

// Guards the arc step count against absurd radii; no drawing comes near it.
constexpr int kMaxArcSteps = 1 << 20;

double Cross(SDPoint a, SDPoint b) {
    return a.x * b.y - a.y * b.x;
}

SDPoint Direction(const Chord& chord) {
    return {chord.end.x - chord.start.x, chord.end.y - chord.start.y};
}

// Where the lines of two non-parallel chords meet: y from the determinant, x from the chord whose
// direction has the larger y component, which keeps the division well conditioned.
SDPoint MeetingPoint(const Chord& a, const Chord& b, double determinant) {
    const SDPoint da = Direction(a), db = Direction(b);
    // Each line as dy * x - dx * y = c.
    const double ca = da.y * a.start.x - da.x * a.start.y;
    const double cb = db.y * b.start.x - db.x * b.start.y;
    const double y = (da.y * cb - db.y * ca) / determinant;
    const Chord& steeper = std::fabs(da.y) >= std::fabs(db.y) ? a : b;
    const SDPoint ds = Direction(steeper);
    const double cs = ds.y * steeper.start.x - ds.x * steeper.start.y;
    return {(cs + ds.x * y) / ds.y, y};
}

bool StrictlyBetween(double value, double a, double b) {
    return (a < value && value < b) || (b < value && value < a);
}

// The crossing point lies strictly inside the chord, judged on x unless the chord is vertical.
bool StrictlyInside(SDPoint point, const Chord& chord) {
    if (chord.start.x != chord.end.x) {
        return StrictlyBetween(point.x, chord.start.x, chord.end.x);
    }
    return StrictlyBetween(point.y, chord.start.y, chord.end.y);
}

int CaseCode(double t1, double t2) {
    const int column = t2 < 0.0 ? 1 : (t2 > 1.0 ? 2 : 0);
    const int row = t1 > 1.0 ? 1 : (t1 < 0.0 ? 2 : 0);
    return row * 3 + column + 1;
}

}  // namespace

Box BoxAround(SDPoint centre, double radius) {
    return {centre.x - radius, centre.y - radius, centre.x + radius, centre.y + radius};
}

bool ChordsCross(const Chord& a, const Chord& b) {
    if (!BoxOf(a).Grown(kCoincidence).Overlaps(BoxOf(b))) {
        return false;
    }
    // The parallel test scales with the chords' lengths: between the short chords of a finely divided
    // curve a fixed determinant tolerance would take a real crossing for parallel lines.
    const SDPoint da = Direction(a), db = Direction(b);
    const double determinant = Cross(da, db);
    if (std::fabs(determinant) <= kParallelDeterminant * std::hypot(da.x, da.y) * std::hypot(db.x, db.y)) {
        return false;
    }
    const SDPoint point = MeetingPoint(a, b, determinant);
    return StrictlyInside(point, a) && StrictlyInside(point, b);
}

bool IntersectLines(const Chord& a, const Chord& b, LineMeeting& meeting) {
    if (IsShorterThanCoincidence(a) || IsShorterThanCoincidence(b)) {
        return false;
    }
    const struct {
        SDPoint pointOfA;
        SDPoint pointOfB;
        double t1;
        double t2;
    } sharedEnds[] = {{a.start, b.start, 0.0, 0.0},
                      {a.start, b.end, 0.0, 1.0},
                      {a.end, b.start, 1.0, 0.0},
                      {a.end, b.end, 1.0, 1.0}};
    for (const auto& shared : sharedEnds) {
        if (Coincide(shared.pointOfA, shared.pointOfB)) {
            meeting = {shared.pointOfA, shared.t1, shared.t2, 1};
            return true;
        }
    }
    return MeetLines(a, b, meeting);
}

bool MeetLines(const Chord& a, const Chord& b, LineMeeting& meeting) {
    const double determinant = Cross(Direction(a), Direction(b));
    if (std::fabs(determinant) <= kParallelDeterminant) {
        meeting = LineMeeting{};
        return false;
    }
    meeting.point = MeetingPoint(a, b, determinant);
    meeting.t1 = ParameterOnChord(meeting.point, a);
    meeting.t2 = ParameterOnChord(meeting.point, b);
    meeting.caseCode = CaseCode(meeting.t1, meeting.t2);
    return true;
}

Chord OffsetChord(const Chord& chord, double distance, bool leftHand) {
    const double x0 = chord.start.x, y0 = chord.start.y, x1 = chord.end.x, y1 = chord.end.y;
    if (x0 == x1 && y0 == y1) {
        return {{0.0, 0.0}, {0.0, 0.0}};
    }
    // Right normal of (dx, dy) is (dy, -dx); the left one its negative. A vertical or level chord
    // keeps the other coordinate of its ends as it is.
    const double hand = leftHand ? -1.0 : 1.0;
    if (x0 == x1) {
        const double dx = hand * (y1 > y0 ? distance : -distance);
        return {{x0 + dx, y0}, {x1 + dx, y1}};
    }
    if (y0 == y1) {
        const double dy = hand * (x1 > x0 ? distance : -distance);
        return {{x0, y0 - dy}, {x1, y1 - dy}};
    }
    // (1, v) points along the right normal when the chord rises and along the left one when it falls.
    const double v = (x0 - x1) / (y1 - y0);
    const double w = std::sqrt(v * v + 1.0);
    const double sign = (y1 > y0 ? 1.0 : -1.0) * hand;
    const double dx = sign * distance / w, dy = sign * distance * v / w;
    return {{x0 + dx, y0 + dy}, {x1 + dx, y1 + dy}};
}

double CosineAt(SDPoint p1, SDPoint p2, SDPoint centre) {
    if ((p2.x == centre.x && p2.y == centre.y) || (p1.x == centre.x && p1.y == centre.y)) {
        return 1.0;
    }
    const double toFirst = Distance(centre, p1), toSecond = Distance(centre, p2), chord = Distance(p1, p2);
    return std::clamp((toFirst * toFirst + toSecond * toSecond - chord * chord) / (2.0 * toFirst * toSecond),
                      -1.0, 1.0);
}

double SignedAngle(SDPoint p1, SDPoint p2, SDPoint centre) {
    if ((p2.x == centre.x && p2.y == centre.y) || (p1.x == centre.x && p1.y == centre.y)) {
        return 0.0;
    }
    return SignedAngleWithCosine(CosineAt(p1, p2, centre), p1, p2, centre);
}

double SignedAngleWithCosine(double cosine, SDPoint p1, SDPoint p2, SDPoint centre) {
    const double magnitude = std::acos(cosine);
    const double side = (p1.x - p2.x) * (centre.y - p2.y) - (p1.y - p2.y) * (centre.x - p2.x);
    return side < 0.0 ? magnitude : -magnitude;
}

double ArcStepAngle(double radius) {
    return 2.0 * std::acos((radius - kArcChordError) / radius);
}

int ArcStepCountWithStepAngle(double stepAngle, double sweep) {
    const double steps = std::floor(std::fabs(sweep) / stepAngle) + 1.0;
    return steps < kMaxArcSteps ? static_cast<int>(steps) : kMaxArcSteps;
}

CRectEx ChordRect(const Chord& chord) {
    return CRectEx(chord.start, chord.end);
}

bool RectsOverlap(CRectEx a, const CRectEx& b) {
    CRectEx meeting;
    return a.IntersectRect(b, meeting) != 0;
}

CRectEx ContourRect(const std::vector<Chord>& chords) {
    if (chords.empty()) {
        return CRectEx(0.0, 0.0, 0.0, 0.0);
    }
    double minX = std::numeric_limits<double>::infinity(), minY = minX;
    double maxX = -minX, maxY = -minX;
    for (const Chord& chord : chords) {
        for (const SDPoint& p : {chord.start, chord.end}) {
            minX = std::min(minX, p.x);
            minY = std::min(minY, p.y);
            maxX = std::max(maxX, p.x);
            maxY = std::max(maxY, p.y);
        }
    }
    return CRectEx(minX, minY, maxX, maxY);
}

}  // namespace pathsmith
