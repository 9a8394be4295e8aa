// Contours for the Pathsmith tests and the checks that every geometry test shares: building segment
// lists from vertices, reading curves back, and distances from a contour.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <random>
#include <vector>

#include "DbList.h"
#include "LineEx.h"
#include "MyCurve.h"
#include "Pathsmith.h"
#include "SDPoint.h"

namespace pathsmith::testing {

using Points = std::vector<SDPoint>;

// FNV-1a over the bytes of every value added, in order: a change of a single bit of an engine's
// output changes it.
class OutputHash {
  public:
    template <typename Value>
    void Add(const Value& value) {
        unsigned char bytes[sizeof(Value)];
        std::memcpy(bytes, &value, sizeof(Value));
        for (const unsigned char byte : bytes) {
            hash_ = (hash_ ^ byte) * 0x100000001B3ull;
        }
    }
    void Add(const SDPoint& point) {
        Add(point.x);
        Add(point.y);
    }
    std::uint64_t Value() const { return hash_; }

  private:
    std::uint64_t hash_ = 0xCBF29CE484222325ull;
};

// A closed polygon when `closed` (the last vertex joined back to the first), else an open polyline.
inline void FillSegments(CDbList<CLineEx>& list, const Points& vertices, bool closed = true) {
    for (std::size_t index = 0; index + 1 < vertices.size(); ++index) {
        list.AddTail(CLineEx(vertices[index], vertices[index + 1]));
    }
    if (closed && vertices.size() > 1) {
        list.AddTail(CLineEx(vertices.back(), vertices.front()));
    }
}

// Owns the curves an export appended and frees them through their virtual destructor.
class CurveList {
  public:
    CurveList() = default;
    CurveList(const CurveList&) = delete;
    CurveList& operator=(const CurveList&) = delete;
    ~CurveList() {
        if (list.MoveFirst() != 0) {
            do {
                delete list.cursor->value;
            } while (list.MoveNext() != 0);
        }
    }
    int Count() const { return list.GetCount(); }
    CMyCurve* At(int index) const {
        auto* node = list.head->next;
        for (int step = 0; step < index; ++step) {
            node = node->next;
        }
        return node->value;
    }

    CDbList<CMyCurve*> list;
};

// The vertices of a curve: the start of every segment and the end of the last one.
inline Points VerticesOf(const CMyCurve& curve) {
    Points vertices;
    for (auto* node = curve.segments.head->next; node != curve.segments.head; node = node->next) {
        vertices.push_back(node->value.p0);
    }
    if (!curve.segments.IsEmpty()) {
        vertices.push_back(curve.segments.head->prev->value.p1);
    }
    return vertices;
}

inline Points VerticesOf(const CDbList<CLineEx>& list) {
    Points vertices;
    for (auto* node = list.head->next; node != list.head; node = node->next) {
        vertices.push_back(node->value.p0);
    }
    if (!list.IsEmpty()) {
        vertices.push_back(list.head->prev->value.p1);
    }
    return vertices;
}

inline double PointToSegment(SDPoint p, SDPoint a, SDPoint b) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double lengthSquared = dx * dx + dy * dy;
    double t = lengthSquared == 0.0 ? 0.0 : ((p.x - a.x) * dx + (p.y - a.y) * dy) / lengthSquared;
    t = std::fmax(0.0, std::fmin(1.0, t));
    return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

// Distance from p to a closed polygon's outline.
inline double DistanceToPolygon(SDPoint p, const Points& polygon) {
    double nearest = INFINITY;
    for (std::size_t index = 0; index < polygon.size(); ++index) {
        nearest =
            std::fmin(nearest, PointToSegment(p, polygon[index], polygon[(index + 1) % polygon.size()]));
    }
    return nearest;
}

// What Zint_Offset gave for one contour: its status and the vertices of every curve it appended.
struct OffsetRun {
    short status = -1;
    std::vector<Points> rings;
};

inline OffsetRun RunOffset(const Points& contour, double distance, int side, bool closed = true) {
    CDbList<CLineEx> segments;
    FillSegments(segments, contour, closed);
    CurveList curves;
    OffsetRun run;
    run.status = Zint_Offset(&segments, &curves.list, distance, side, 0);
    for (int index = 0; index < curves.Count(); ++index) {
        run.rings.push_back(VerticesOf(*curves.At(index)));
    }
    return run;
}

// Even-odd point in polygon.
inline bool InsidePolygon(SDPoint p, const Points& polygon) {
    bool inside = false;
    for (std::size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
        const SDPoint a = polygon[i], b = polygon[j];
        if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x) {
            inside = !inside;
        }
    }
    return inside;
}

inline double SignedArea(const Points& polygon) {
    double twice = 0.0;
    for (std::size_t index = 0; index < polygon.size(); ++index) {
        const SDPoint a = polygon[index], b = polygon[(index + 1) % polygon.size()];
        twice += a.x * b.y - b.x * a.y;
    }
    return twice / 2.0;
}

// Counter-clockwise axis-aligned rectangle.
inline Points Rectangle(double x1, double y1, double x2, double y2) {
    return {{x1, y1}, {x2, y1}, {x2, y2}, {x1, y2}};
}

inline Points RegularPolygon(SDPoint centre, double radius, int corners, double phase = 0.0) {
    Points polygon;
    for (int corner = 0; corner < corners; ++corner) {
        const double angle = phase + 2.0 * M_PI * corner / corners;
        polygon.push_back({centre.x + radius * std::cos(angle), centre.y + radius * std::sin(angle)});
    }
    return polygon;
}

// A circle of radius `radius` with `notches` notches of the given depth, `segments` vertices in all
// (counter-clockwise): a traced gear.
inline Points NotchedCircle(double radius, double depth, int notches, int segments) {
    Points polygon;
    for (int index = 0; index < segments; ++index) {
        const double angle = 2.0 * M_PI * index / segments;
        const double phase = std::fmod(angle * notches / (2.0 * M_PI), 1.0);
        const double r = phase < 0.5 ? radius : radius - depth;
        polygon.push_back({r * std::cos(angle), r * std::sin(angle)});
    }
    return polygon;
}

// A simple polygon: random radii at evenly spread angles around a centre (star-shaped, so simple).
inline Points RandomStarPolygon(std::mt19937& random, int corners, double minRadius, double maxRadius) {
    std::uniform_real_distribution<double> radius(minRadius, maxRadius);
    std::uniform_real_distribution<double> jitter(-0.3, 0.3);
    Points polygon;
    for (int corner = 0; corner < corners; ++corner) {
        const double angle = 2.0 * M_PI * (corner + jitter(random)) / corners;
        const double r = radius(random);
        polygon.push_back({r * std::cos(angle), r * std::sin(angle)});
    }
    return polygon;
}

}  // namespace pathsmith::testing
