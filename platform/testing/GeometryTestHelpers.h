// Builders and geometric checks of points and segment lists, shared by the tests of every library that
// handles curves (the curve math, the curve classes, the drawing model). Header-only; test code only.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <numbers>
#include <vector>

#include "DbList.h"
#include "FileLine.h"
#include "SDPoint.h"

namespace cutrix::testing {

inline void ExpectPointNear(SDPoint actual, SDPoint expected, double tolerance = 1e-9) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
}

inline CFileLine Line(SDPoint start, SDPoint end) {
    CFileLine line;
    line.start = start;
    line.end = end;
    return line;
}

inline CFileLine Bezier(SDPoint start, SDPoint ctrl1, SDPoint ctrl2, SDPoint end) {
    CFileLine bezier;
    bezier.type = CFileLine::kBezier;
    bezier.start = start;
    bezier.ctrl1 = ctrl1;
    bezier.ctrl2 = ctrl2;
    bezier.end = end;
    return bezier;
}

inline void AddRecords(CDbList<CFileLine>& list, std::initializer_list<CFileLine> records) {
    for (const CFileLine& record : records) {
        list.AddTail(record);
    }
}

// Lines through the points in order; `close` adds the line back to the first point.
inline void AddPolyline(CDbList<CFileLine>& list, const std::vector<SDPoint>& points, bool close = false) {
    for (std::size_t i = 0; i + 1 < points.size(); ++i) {
        list.AddTail(Line(points[i], points[i + 1]));
    }
    if (close) {
        list.AddTail(Line(points.back(), points.front()));
    }
}

// `count` points on a circle, counter-clockwise from the angle `firstRadians`.
inline std::vector<SDPoint> CirclePoints(SDPoint centre, double radius, int count,
                                         double firstRadians = 0.0) {
    std::vector<SDPoint> points;
    for (int i = 0; i < count; ++i) {
        const double angle = firstRadians + 2.0 * std::numbers::pi * i / count;
        points.push_back({centre.x + radius * std::cos(angle), centre.y + radius * std::sin(angle)});
    }
    return points;
}

inline std::vector<CFileLine> Records(const CDbList<CFileLine>& list) {
    std::vector<CFileLine> records;
    if (list.IsEmpty() != 0) {
        return records;
    }
    for (auto* node = list.head->next; node != list.head; node = node->next) {
        records.push_back(node->value);
    }
    return records;
}

// Every record starts where the one before ended.
inline void ExpectChained(const std::vector<CFileLine>& records, double tolerance = 1e-9) {
    for (std::size_t i = 1; i < records.size(); ++i) {
        EXPECT_NEAR(records[i].start.x, records[i - 1].end.x, tolerance) << "record " << i;
        EXPECT_NEAR(records[i].start.y, records[i - 1].end.y, tolerance) << "record " << i;
    }
}

// The ring is linked consistently both ways, its stored count matches, and the records are chained.
inline void ExpectConnectedCurve(const CDbList<CFileLine>& list, double tolerance = 1e-9) {
    ASSERT_NE(list.head, nullptr);
    int nodes = 0;
    for (auto* node = list.head->next; node != list.head; node = node->next) {
        ASSERT_EQ(node->prev->next, node);
        ASSERT_EQ(node->next->prev, node);
        ++nodes;
    }
    EXPECT_EQ(list.count, nodes);
    ExpectChained(Records(list), tolerance);
}

inline bool SameGeometry(const CFileLine& a, const CFileLine& b) {
    auto same = [](SDPoint p, SDPoint q) { return p.x == q.x && p.y == q.y; };
    return a.type == b.type && same(a.start, b.start) && same(a.end, b.end) &&
           (a.type != CFileLine::kBezier || (same(a.ctrl1, b.ctrl1) && same(a.ctrl2, b.ctrl2)));
}

inline void ExpectSameRecords(const std::vector<CFileLine>& actual, const std::vector<CFileLine>& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < actual.size(); ++i) {
        EXPECT_TRUE(SameGeometry(actual[i], expected[i])) << "record " << i;
    }
}

}  // namespace cutrix::testing
