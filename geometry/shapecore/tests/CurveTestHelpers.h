// Shared fixtures and checks of the curve class tests: polylines from point lists, segment lists read
// back as vectors, and archives round-tripped through bytes.
#pragma once

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <vector>

#include "Archive.h"
#include "BaseCurve.h"
#include "LineEx.h"

namespace shapecore_test {

// Appends the open polyline through the points as type-0 segments.
inline void AddPolyline(CBaseCurve& curve, std::initializer_list<SDPoint> points) {
    const SDPoint* previous = nullptr;
    for (const SDPoint& point : points) {
        if (previous != nullptr) {
            curve.segments.AddTail(CLineEx(*previous, point));
        }
        previous = &point;
    }
    curve.CalRect();
}

// The square (0,0)-(10,0)-(10,10)-(0,10), counter-clockwise, closed.
inline void AddSquare(CBaseCurve& curve) {
    AddPolyline(curve, {{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}});
}

inline std::vector<CLineEx> Segments(const CDbList<CLineEx>& list) {
    std::vector<CLineEx> result;
    for (auto* node = list.head->next; node != list.head; node = node->next) {
        result.push_back(node->value);
    }
    return result;
}

// The ring must be consistent in both directions and agree with the count.
inline bool IsWellLinked(const CDbList<CLineEx>& list) {
    int nodes = 0;
    auto* node = list.head;
    do {
        if (node->next->prev != node) {
            return false;
        }
        node = node->next;
        ++nodes;
    } while (node != list.head);
    return nodes - 1 == list.count;
}

inline bool SameBits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

inline bool SameSegment(const CLineEx& a, const CLineEx& b) {
    return a.type == b.type && SameBits(a.p0.x, b.p0.x) && SameBits(a.p0.y, b.p0.y) &&
           SameBits(a.p1.x, b.p1.x) && SameBits(a.p1.y, b.p1.y) && SameBits(a.p2.x, b.p2.x) &&
           SameBits(a.p2.y, b.p2.y) && SameBits(a.p3.x, b.p3.x) && SameBits(a.p3.y, b.p3.y);
}

// Little-endian reads from a stored archive.
inline std::uint16_t U16At(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
    return static_cast<std::uint16_t>(bytes.at(offset) | (bytes.at(offset + 1) << 8));
}

inline std::int32_t I32At(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
    std::uint32_t value = 0;
    for (int index = 3; index >= 0; --index) {
        value = (value << 8) | bytes.at(offset + index);
    }
    return static_cast<std::int32_t>(value);
}

inline double DoubleAt(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
    std::uint64_t raw = 0;
    for (int index = 7; index >= 0; --index) {
        raw = (raw << 8) | bytes.at(offset + index);
    }
    double value;
    std::memcpy(&value, &raw, sizeof value);
    return value;
}

template <typename Record>
std::vector<std::uint8_t> Stored(Record& record) {
    auto ar = platform::Archive::ForStoring();
    record.Serialize(ar);
    return ar.Bytes();
}

template <typename Record>
void LoadFrom(Record& record, std::vector<std::uint8_t> bytes) {
    auto ar = platform::Archive::ForLoading(std::move(bytes));
    record.Serialize(ar);
}

}  // namespace shapecore_test
