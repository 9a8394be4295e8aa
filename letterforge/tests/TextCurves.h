// Runs _text_create and returns the curves' segment records, freeing the curves.
#pragma once

#include <string>
#include <vector>

#include "GeometryTestHelpers.h"
#include "Letterforge.h"

namespace letterforge::testing {

using Curves = std::vector<std::vector<CFileLine>>;

inline Curves CreateText(const std::string& text, short useShx, const std::string& font, double height,
                         double charSpace = 0.0, double lineSpace = 0.0, double widthRatio = 1.0) {
    CDbList<CFileCurve*> list;
    EXPECT_EQ(_text_create(nullptr, text, useShx, font, height, charSpace, lineSpace, widthRatio, &list), 0);
    Curves curves;
    for (auto* node = list.head->next; node != list.head; node = node->next) {
        curves.push_back(cutrix::testing::Records(node->value->segments));
        delete node->value;
    }
    return curves;
}

// The points of a curve of line segments: its start, then every segment's end.
inline std::vector<SDPoint> Polyline(const std::vector<CFileLine>& segments) {
    std::vector<SDPoint> points;
    if (!segments.empty()) {
        points.push_back(segments.front().start);
    }
    for (const CFileLine& segment : segments) {
        points.push_back(segment.end);
    }
    return points;
}

inline void ExpectPolyline(const std::vector<CFileLine>& segments, const std::vector<SDPoint>& expected,
                           double tolerance = 1e-9) {
    const std::vector<SDPoint> points = Polyline(segments);
    ASSERT_EQ(points.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE("point " + std::to_string(i));
        cutrix::testing::ExpectPointNear(points[i], expected[i], tolerance);
    }
}

}  // namespace letterforge::testing
