// The outlines the offset is measured and pinned on: stars, combs, random polygons, circles and a
// noisy blob of a given number of segments, each a closed polygon (the last vertex joins the first).
#pragma once

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "SDPoint.h"

namespace pathsmith::testing {

using Polygon = std::vector<SDPoint>;

// A star of segmentCount / 2 points 10 mm long, at least 2 mm apart at their tips (a larger drawing
// for more points, not a denser one): 24 points between radii 10 and 20 mm.
inline Polygon Star(int segmentCount) {
    const double outer = std::max(20.0, segmentCount / 2 * 2.0 / (2.0 * M_PI));
    Polygon polygon;
    for (int index = 0; index < segmentCount; ++index) {
        const double angle = 2.0 * M_PI * index / segmentCount;
        const double radius = index % 2 == 0 ? outer : outer - 10.0;
        polygon.push_back({radius * std::cos(angle), radius * std::sin(angle)});
    }
    return polygon;
}

// A comb: a 5 mm back with teeth 2 mm wide, 10 mm long and 2 mm apart, four segments per tooth.
inline Polygon Comb(int segmentCount) {
    const int teeth = std::max(1, (segmentCount - 2) / 4);
    Polygon polygon{{0.0, 0.0}};
    for (int tooth = 0; tooth < teeth; ++tooth) {
        const double x = tooth * 4.0;
        polygon.push_back({x + 2.0, 0.0});
        polygon.push_back({x + 2.0, -10.0});
        polygon.push_back({x + 4.0, -10.0});
        polygon.push_back({x + 4.0, 0.0});
    }
    polygon.back() = {teeth * 4.0, 5.0};
    polygon.push_back({0.0, 5.0});
    return polygon;
}

// Random radii within 15 mm of a mean radius at evenly spread angles, vertices about 3 mm apart along
// the mean circle: simple, with corners of every kind.
inline Polygon RandomPolygon(int segmentCount) {
    std::mt19937 random(4242);
    const double mean = std::max(25.0, segmentCount * 3.0 / (2.0 * M_PI));
    std::uniform_real_distribution<double> radius(mean - 15.0, mean + 15.0);
    Polygon polygon;
    for (int index = 0; index < segmentCount; ++index) {
        const double angle = 2.0 * M_PI * index / segmentCount;
        const double r = radius(random);
        polygon.push_back({r * std::cos(angle), r * std::sin(angle)});
    }
    return polygon;
}

// A circle whose chords are about 0.3 mm long, as traced outlines are.
inline Polygon Circle(int segmentCount) {
    const double radius = std::max(5.0, segmentCount * 0.3 / (2.0 * M_PI));
    Polygon polygon;
    for (int index = 0; index < segmentCount; ++index) {
        const double angle = 2.0 * M_PI * index / segmentCount;
        polygon.push_back({radius * std::cos(angle), radius * std::sin(angle)});
    }
    return polygon;
}

// A scanned-looking blob: a circle of radius 40 mm whose radius wanders by ±0.05 mm at every vertex.
inline Polygon NoisyBlob(int segmentCount) {
    std::mt19937 random(1312);
    std::uniform_real_distribution<double> wobble(-0.05, 0.05);
    Polygon polygon;
    for (int index = 0; index < segmentCount; ++index) {
        const double angle = 2.0 * M_PI * index / segmentCount;
        const double r = 40.0 + wobble(random);
        polygon.push_back({r * std::cos(angle), r * std::sin(angle)});
    }
    return polygon;
}

}  // namespace pathsmith::testing
