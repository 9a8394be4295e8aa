// CFileLine: the main program's record of one curve segment (a line or a cubic Bezier between two
// nodes), shared by the drawing model, the curve math, the drawing primitives and the text engine.
// Header-only so that every library that handles segment lists needs nothing beyond this header.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "Archive.h"
#include "SDPoint.h"

struct CFileLine {
    static constexpr std::uint16_t kBezier = 3;  // every other type is drawn and measured as a line
    static constexpr std::size_t kStoredBytes = 74;

    // Joint codes of a node.
    static constexpr std::uint16_t kJointCorner = 0;
    static constexpr std::uint16_t kJointSmooth = 1;     // both handles on one line through the node
    static constexpr std::uint16_t kJointSymmetric = 2;  // smooth, node midway between the handles

    // Bits of `nodeSelected` while node editing; a handle drag stores 1 or 2 for ctrl1 or ctrl2.
    static constexpr std::uint16_t kStartSelected = 1;
    static constexpr std::uint16_t kEndSelected = 2;

    std::uint16_t type = 0;
    std::uint16_t attr1 = 0;  // kept, stored and copied unchanged
    std::uint16_t attr2 = 0;
    SDPoint start;
    SDPoint end;
    SDPoint ctrl1;                      // belongs to the start node; not read for a line
    SDPoint ctrl2;                      // belongs to the end node
    std::uint32_t scratch[2] = {0, 0};  // working value, never stored
    std::uint16_t nodeSelected = 0;     // never stored, cleared on load
    std::uint16_t startJoint = kJointCorner;
    std::uint16_t endJoint = kJointCorner;

    bool IsBezier() const { return type == kBezier; }

    // Makes the record a line from (0, 0) to (0, 0); the control points and attribute words stay.
    void Init() {
        type = 0;
        start = {};
        end = {};
        scratch[0] = scratch[1] = 0;
        nodeSelected = 0;
        startJoint = kJointCorner;
        endJoint = kJointCorner;
    }

    SDPoint GetPoint(double t) const {
        t = ClampParam(t);
        if (!IsBezier()) {
            return Lerp(start, end, t);
        }
        const SDPoint q0 = Lerp(start, ctrl1, t), q1 = Lerp(ctrl1, ctrl2, t), q2 = Lerp(ctrl2, end, t);
        return Lerp(Lerp(q0, q1, t), Lerp(q1, q2, t), t);
    }

    // Writes the two halves at t into records the caller has cleared; this segment is not changed.
    // A Bezier split marks the new node smooth on both sides; a line split writes no joints or controls.
    void Split(double t, CFileLine* first, CFileLine* second) const {
        t = ClampParam(t);
        if (!IsBezier()) {
            const SDPoint middle = Lerp(start, end, t);
            first->type = 0;
            first->start = start;
            first->end = middle;
            second->type = 0;
            second->start = middle;
            second->end = end;
            return;
        }
        const SDPoint q0 = Lerp(start, ctrl1, t), q1 = Lerp(ctrl1, ctrl2, t), q2 = Lerp(ctrl2, end, t);
        const SDPoint r0 = Lerp(q0, q1, t), r1 = Lerp(q1, q2, t);
        const SDPoint middle = Lerp(r0, r1, t);
        *first = WithBezier(*first, start, middle, q0, r0, startJoint, kJointSmooth);
        *second = WithBezier(*second, middle, end, r1, q2, kJointSmooth, endJoint);
    }

    // Sets start and end, and the control points only when withControls is non-zero.
    void SetPoints(double startX, double startY, double endX, double endY, int withControls, double ctrl1X,
                   double ctrl1Y, double ctrl2X, double ctrl2Y) {
        start = {startX, startY};
        end = {endX, endY};
        if (withControls != 0) {
            ctrl1 = {ctrl1X, ctrl1Y};
            ctrl2 = {ctrl2X, ctrl2Y};
        }
    }

    // 1 when start and end differ by strictly less than tol in x and in y.
    int IsShort(double tol) const {
        return std::fabs(start.x - end.x) < tol && std::fabs(start.y - end.y) < tol ? 1 : 0;
    }

    // Dot product of the vectors from point 1 to point 2 and from point 1 to point 3.
    static double DotProduct(double x1, double y1, double x2, double y2, double x3, double y3) {
        return (x3 - x1) * (x2 - x1) + (y3 - y1) * (y2 - y1);
    }

    // Parameter of (px, py) projected onto the line through start and end; not clamped, so points
    // beyond the ends give t < 0 or t > 1. Points on a node, and t within 1e-6 of 0 or 1, snap; a
    // segment without length gives 0.
    double ProjectParam(double px, double py) const {
        constexpr double kNodeTolerance = 0.001;
        constexpr double kSnap = 1e-6;
        if (std::fabs(px - start.x) < kNodeTolerance && std::fabs(py - start.y) < kNodeTolerance) {
            return 0.0;
        }
        if (std::fabs(px - end.x) < kNodeTolerance && std::fabs(py - end.y) < kNodeTolerance) {
            return 1.0;
        }
        const double squaredLength = (start.y - end.y) * (start.y - end.y) + (start.x - end.x) * (start.x - end.x);
        if (squaredLength == 0.0) {
            return 0.0;
        }
        const double t = ((end.x - start.x) * (px - start.x) + (end.y - start.y) * (py - start.y)) / squaredLength;
        if (std::fabs(t) < kSnap) {
            return 0.0;
        }
        if (std::fabs(t - 1.0) < kSnap) {
            return 1.0;
        }
        return t;
    }

    // An axis-aligned box, smaller values first.
    struct Box {
        double x1 = 0.0;
        double y1 = 0.0;
        double x2 = 0.0;
        double y2 = 0.0;

        void Unite(const Box& other) {
            x1 = std::min(x1, other.x1);
            y1 = std::min(y1, other.y1);
            x2 = std::max(x2, other.x2);
            y2 = std::max(y2, other.y2);
        }
        // Apart by more than `gap` on either axis.
        bool IsApartFrom(const Box& other, double gap) const {
            return other.x1 - x2 > gap || x1 - other.x2 > gap || other.y1 - y2 > gap || y1 - other.y2 > gap;
        }
        static Box Of(SDPoint a, SDPoint b) {
            return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
        }
    };

    // Chords of the sample polyline of a segment: samples at t = 0.01, 0.02, ... 0.99 between the start
    // and the end, 100 chords in all.
    static constexpr int kSampleChords = 100;

    // The box of start and end; a Bezier's box also holds every chord of its sample polyline.
    Box GetBox() const {
        Box box = Box::Of(start, end);
        if (IsBezier()) {
            for (int index = 1; index < kSampleChords; ++index) {
                const SDPoint sample = GetPoint(index / static_cast<double>(kSampleChords));
                box.Unite(Box::Of(sample, sample));
            }
        }
        return box;
    }

    // This segment, taken as the straight line from start to end, against the straight piece
    // (x1, y1)-(x2, y2): true only when the two cross at a point strictly inside both; parallel pieces
    // and meetings at an end point are no crossing.
    bool LineCrossesLine(double x1, double y1, double x2, double y2) const {
        constexpr double kBoxGap = 0.001;
        constexpr double kParallel = 1e-8;
        const SDPoint pieceStart{x1, y1}, pieceEnd{x2, y2};
        if (Box::Of(start, end).IsApartFrom(Box::Of(pieceStart, pieceEnd), kBoxGap)) {
            return false;
        }
        const double ax = end.x - start.x, ay = end.y - start.y;
        const double bx = x2 - x1, by = y2 - y1;
        const double determinant = ax * by - ay * bx;
        if (std::fabs(determinant) <= kParallel) {
            return false;
        }
        const double along = ((x1 - start.x) * by - (y1 - start.y) * bx) / determinant;
        const double y = start.y + along * ay;
        const double x = std::fabs(ay) > kParallel ? start.x + (y - start.y) * ax / ay : x1 + (y - y1) * bx / by;
        return StrictlyInside(start, end, x, y) && StrictlyInside(pieceStart, pieceEnd, x, y);
    }

    // This segment's sample polyline against the straight piece, chord by chord; a crossing exactly on a
    // sample point is not seen, as each chord test is strict.
    bool CrossesLine(double x1, double y1, double x2, double y2) const {
        SDPoint from = start;
        for (int index = 1; index <= kSampleChords; ++index) {
            const SDPoint to = index == kSampleChords ? end : GetPoint(index / static_cast<double>(kSampleChords));
            CFileLine chord;
            chord.start = from;
            chord.end = to;
            if (chord.LineCrossesLine(x1, y1, x2, y2)) {
                return true;
            }
            from = to;
        }
        return false;
    }

    // This segment against another: true when they cross at a point strictly inside both. Straight
    // segments are met exactly; a Bezier by its sample polyline, so a crossing exactly on a sample point,
    // a meeting at an end point and segments lying on each other are no crossing.
    bool CrossesSegment(const CFileLine& other) const {
        if (!IsBezier() && !other.IsBezier()) {
            return LineCrossesLine(other.start.x, other.start.y, other.end.x, other.end.y);
        }
        constexpr double kBoxGap = 0.001;
        if (GetBox().IsApartFrom(other.GetBox(), kBoxGap)) {
            return false;
        }
        if (!other.IsBezier()) {
            return CrossesLine(other.start.x, other.start.y, other.end.x, other.end.y);
        }
        if (!IsBezier()) {
            return other.CrossesLine(start.x, start.y, end.x, end.y);
        }
        SDPoint from = other.start;
        for (int index = 1; index <= kSampleChords; ++index) {
            const SDPoint to =
                index == kSampleChords ? other.end : other.GetPoint(index / static_cast<double>(kSampleChords));
            if (CrossesLine(from.x, from.y, to.x, to.y)) {
                return true;
            }
            from = to;
        }
        return false;
    }

    // True when this segment and the other lie on each other within tol (a difference strictly below tol
    // on both axes counts as "near"). Segments of different kinds never do. Two Beziers must match end
    // for end and control for control, in the same or the opposite direction. Two lines overlap when one
    // lies along the other, or when they lie on one line and share a stretch longer than tol; lines that
    // only meet end to end share nothing.
    bool OverlapsSegment(const CFileLine& other, double tol) const {
        if (IsBezier() != other.IsBezier()) {
            return false;
        }
        if (IsBezier()) {
            return BezierMatches(other, tol);
        }
        if (Box::Of(start, end).IsApartFrom(Box::Of(other.start, other.end), tol)) {
            return false;
        }
        const Reach otherStart = RoundedReach(ReachOf(other.start)), otherEnd = RoundedReach(ReachOf(other.end));
        const bool onThisLine = otherStart.toLine <= tol && otherEnd.toLine <= tol;
        const bool startOnThis = otherStart.toSegment <= tol, endOnThis = otherEnd.toSegment <= tol;
        if (onThisLine && startOnThis && endOnThis) {
            return true;
        }
        if (onThisLine && startOnThis != endOnThis) {
            return SharedLength(other) > tol;
        }
        const Reach thisStart = other.ReachOf(start), thisEnd = other.ReachOf(end);
        return thisStart.toLine <= tol && thisEnd.toLine <= tol && thisStart.toSegment <= tol &&
               thisEnd.toSegment <= tol;
    }

    // Finds the parameter of (px, py) on the segment within tol and writes it to *t (only on a hit);
    // t0 and t1 bound the parameter range of a Bezier search, which starts with 0 and 1. A line's
    // parameter is the ratio of the distances to its ends.
    int HitParam(double px, double py, double tol, double* t, double t0, double t1) const {
        const SDPoint point{px, py};
        if (!IsBezier()) {
            return HitLineParam(point, tol, t);
        }
        constexpr double kShortestRange = 0.001;
        Box box = Box::Of(start, end);
        box.Unite(Box::Of(ctrl1, ctrl2));
        if (!Grown(box, tol).Contains(point) || t1 - t0 < kShortestRange) {
            return 0;
        }
        if (Distance(point, start) <= tol) {
            *t = t0;
            return 1;
        }
        if (Distance(point, end) <= tol) {
            *t = t1;
            return 1;
        }
        CFileLine first, second;
        Split(0.5, &first, &second);
        const double middle = (t0 + t1) * 0.5;
        return first.HitParam(px, py, tol, t, t0, middle) != 0 ? 1 : second.HitParam(px, py, tol, t, middle, t1);
    }

    bool HasFiniteCoordinates() const {
        for (const SDPoint& point : {start, end, ctrl1, ctrl2}) {
            if (!std::isfinite(point.x) || !std::isfinite(point.y)) {
                return false;
            }
        }
        return true;
    }

    // The 74-byte stored form: type, attr1, attr2, the eight coordinates, startJoint, endJoint.
    // Loading clears nodeSelected and keeps scratch. A record with a NaN or infinite coordinate is
    // refused with ArchiveError and leaves this record unchanged: such a value would make every later
    // measurement or flattening of the curve meaningless or endless.
    void Serialize(platform::Archive& ar) {
        if (ar.IsStoring()) {
            Store(ar);
        } else {
            Load(ar);
        }
    }

  private:
    static double Distance(SDPoint a, SDPoint b) { return std::hypot(a.x - b.x, a.y - b.y); }

    static bool Near(SDPoint a, SDPoint b, double tol) {
        return std::fabs(a.x - b.x) < tol && std::fabs(a.y - b.y) < tol;
    }

    bool BezierMatches(const CFileLine& other, double tol) const {
        if (Near(start, other.start, tol) && Near(end, other.end, tol)) {
            return Near(ctrl1, other.ctrl1, tol) && Near(ctrl2, other.ctrl2, tol);
        }
        if (Near(end, other.start, tol) && Near(start, other.end, tol)) {
            return Near(ctrl2, other.ctrl1, tol) && Near(ctrl1, other.ctrl2, tol);
        }
        return false;
    }

    // How far a point lies from this straight segment's infinite line and from the segment itself.
    struct Reach {
        double toLine = 0.0;
        double toSegment = 0.0;
    };
    Reach ReachOf(SDPoint point) const {
        const double t = ProjectParam(point.x, point.y);
        const double toLine = Distance(point, Lerp(start, end, t));
        if (t < 0.0) {
            return {toLine, Distance(point, start)};
        }
        if (t > 1.0) {
            return {toLine, Distance(point, end)};
        }
        return {toLine, toLine};
    }
    // Distances rounded to 0.0001 mm, so that the last digits of a projection decide nothing.
    static Reach RoundedReach(Reach reach) {
        const auto round = [](double mm) { return std::trunc(mm * 10000.0 + 0.5) * 0.0001; };
        return {round(reach.toLine), round(reach.toSegment)};
    }
    // Length of the stretch of this segment that the other covers, both taken on this segment's line.
    double SharedLength(const CFileLine& other) const {
        const double fromT = ProjectParam(other.start.x, other.start.y);
        const double toT = ProjectParam(other.end.x, other.end.y);
        const double low = std::max(0.0, std::min(fromT, toT));
        const double high = std::min(1.0, std::max(fromT, toT));
        return high > low ? (high - low) * Distance(start, end) : 0.0;
    }

    struct GrownBox {
        Box box;
        bool Contains(SDPoint p) const { return p.x >= box.x1 && p.x <= box.x2 && p.y >= box.y1 && p.y <= box.y2; }
    };
    static GrownBox Grown(Box box, double by) { return {{box.x1 - by, box.y1 - by, box.x2 + by, box.y2 + by}}; }

    // Strictly between the piece's x values, or its y values when the piece is vertical. Two pieces that
    // meet at an end point can compute their meeting a rounding error inside both (the chords of a
    // Bezier sampled from its two ends meet so), so inside means by more than kEndMargin.
    static bool StrictlyInside(SDPoint from, SDPoint to, double x, double y) {
        constexpr double kEndMargin = 1e-9;  // mm, far below any distance a drawing tells apart
        if (from.x != to.x) {
            return x > std::min(from.x, to.x) + kEndMargin && x < std::max(from.x, to.x) - kEndMargin;
        }
        return y > std::min(from.y, to.y) + kEndMargin && y < std::max(from.y, to.y) - kEndMargin;
    }

    int HitLineParam(SDPoint point, double tol, double* t) const {
        if (!Grown(Box::Of(start, end), tol).Contains(point)) {
            return 0;
        }
        const double toStart = Distance(point, start);
        if (toStart <= tol) {
            *t = 0.0;
            return 1;
        }
        const double toEnd = Distance(point, end);
        if (toEnd <= tol) {
            *t = 1.0;
            return 1;
        }
        if (toStart + toEnd - Distance(start, end) > tol / 2) {
            return 0;
        }
        *t = toStart / (toStart + toEnd);
        return 1;
    }

    static double ClampParam(double t) {
        if (std::isnan(t)) {
            return 0.0;
        }
        return std::clamp(t, 0.0, 1.0);
    }

    static SDPoint Lerp(SDPoint a, SDPoint b, double t) {
        return {(1.0 - t) * a.x + t * b.x, (1.0 - t) * a.y + t * b.y};
    }

    static CFileLine WithBezier(CFileLine record, SDPoint from, SDPoint to, SDPoint control1,
                                SDPoint control2, std::uint16_t fromJoint, std::uint16_t toJoint) {
        record.type = kBezier;
        record.start = from;
        record.end = to;
        record.ctrl1 = control1;
        record.ctrl2 = control2;
        record.startJoint = fromJoint;
        record.endJoint = toJoint;
        return record;
    }

    void Store(platform::Archive& ar) const {
        ar << type << attr1 << attr2;
        for (const SDPoint& point : {start, end, ctrl1, ctrl2}) {
            ar << point.x << point.y;
        }
        ar << startJoint << endJoint;
    }

    void Load(platform::Archive& ar) {
        CFileLine loaded = *this;
        ar >> loaded.type >> loaded.attr1 >> loaded.attr2;
        for (SDPoint* point : {&loaded.start, &loaded.end, &loaded.ctrl1, &loaded.ctrl2}) {
            ar >> point->x >> point->y;
        }
        ar >> loaded.startJoint >> loaded.endJoint;
        if (!loaded.HasFiniteCoordinates()) {
            throw platform::ArchiveError("segment record with a non-finite coordinate");
        }
        loaded.nodeSelected = 0;
        *this = loaded;
    }
};
