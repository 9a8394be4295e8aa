// Small vector arithmetic on SDPoint used throughout the curve math.
#pragma once

#include <cmath>

#include "SDPoint.h"

namespace geomcore {

// Two points count as the same node when x and y each differ by less than this (mm).
inline constexpr double kCoincidence = 0.001;

inline SDPoint operator+(SDPoint a, SDPoint b) {
    return {a.x + b.x, a.y + b.y};
}
inline SDPoint operator-(SDPoint a, SDPoint b) {
    return {a.x - b.x, a.y - b.y};
}
inline SDPoint operator*(double k, SDPoint a) {
    return {k * a.x, k * a.y};
}

inline double Dot(SDPoint a, SDPoint b) {
    return a.x * b.x + a.y * b.y;
}
inline double Cross(SDPoint a, SDPoint b) {
    return a.x * b.y - a.y * b.x;
}
inline double Length(SDPoint a) {
    return std::sqrt(a.x * a.x + a.y * a.y);
}
inline double Distance(SDPoint a, SDPoint b) {
    return Length(a - b);
}
inline double SquaredDistance(SDPoint a, SDPoint b) {
    return Dot(a - b, a - b);
}
inline SDPoint Midpoint(SDPoint a, SDPoint b) {
    return {(a.x + b.x) / 2.0, (a.y + b.y) / 2.0};
}

inline bool SameExactly(SDPoint a, SDPoint b) {
    return a.x == b.x && a.y == b.y;
}

// True when x and y each differ by less than the tolerance.
inline bool WithinBox(SDPoint a, SDPoint b, double tolerance) {
    return std::fabs(a.x - b.x) < tolerance && std::fabs(a.y - b.y) < tolerance;
}

inline bool Coincide(SDPoint a, SDPoint b) {
    return WithinBox(a, b, kCoincidence);
}

// The unit vector of a, or (0, 0) for a zero vector.
inline SDPoint UnitOrZero(SDPoint a) {
    const double length = Length(a);
    return length > 0.0 ? SDPoint{a.x / length, a.y / length} : SDPoint{};
}

}  // namespace geomcore
