// Where a dot job sits on the machine: the origin corner and laser-head anchor that the main program
// passes, the axis signs they give, and the mapping from plate millimetres to job coordinates.
#pragma once

#include <cstdint>
#include <vector>

#include "LgpGeometry.h"
#include "ReverseIntervalRow.h"

namespace dotplate {

// A job's box in job coordinates, each pair ordered: left ≤ right and top ≤ bottom.
struct LgpJobBox {
    double left = 0.0;
    double top = 0.0;
    double right = 0.0;
    double bottom = 0.0;
};

struct LgpJobFrame {
    std::uint16_t originCorner = 0;  // 0..3
    std::uint16_t headPosition = 0;  // 0..8: a 3 × 3 grid, 0 top left, 4 centre, 8 bottom right
    std::int16_t signX = 1;
    std::int16_t signY = 1;
    double originX = 0.0;
    double originY = 0.0;
    LgpBox plate;  // the plate's box when the job starts

    // The frame of a job of this plate for the corner and anchor; an anchor outside the grid counts
    // as the centre.
    static LgpJobFrame For(const LgpBox& plate, std::uint16_t originCorner, std::uint16_t headPosition);

    SDPoint ToJobCoord(double x, double y) const;
    LgpJobBox JobBox() const;
};

// The reverse interval for a speed from a table sorted by speed: interpolated between rows, scaled
// down from the first row below it, the last row's beyond the table; 0 without a table or speed.
double LookupReverseInterval(const std::vector<ReverseIntervalRow>& rowsBySpeed, double speedMmPerS);

// The caller's rows sorted by speed, equal speeds keeping their order.
std::vector<ReverseIntervalRow> SortedBySpeed(std::vector<ReverseIntervalRow> rows);

}  // namespace dotplate
