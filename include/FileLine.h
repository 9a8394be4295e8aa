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
    // beyond the ends give t < 0 or t > 1. Points on a node, and t within 1e-6 of 0 or 1, snap.
    double ProjectParam(double px, double py) const {
        constexpr double kNodeTolerance = 0.001;
        constexpr double kSnap = 1e-6;
        if (std::fabs(px - start.x) < kNodeTolerance && std::fabs(py - start.y) < kNodeTolerance) {
            return 0.0;
        }
        if (std::fabs(px - end.x) < kNodeTolerance && std::fabs(py - end.y) < kNodeTolerance) {
            return 1.0;
        }
        const double t = ((end.x - start.x) * (px - start.x) + (end.y - start.y) * (py - start.y)) /
                         ((start.y - end.y) * (start.y - end.y) + (start.x - end.x) * (start.x - end.x));
        if (std::fabs(t) < kSnap) {
            return 0.0;
        }
        if (std::fabs(t - 1.0) < kSnap) {
            return 1.0;
        }
        return t;
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
