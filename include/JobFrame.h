// JobFrame: the job origin, axis signs and job box that job output fills before writing a job, and that
// the scan writer of the bitmap library receives by value. Never stored.
//
// Machine coordinate = sign x (drawing coordinate - origin), per axis.
#pragma once

#include <cstdint>

struct JobFrame {
    double originX = 0.0;  // mm
    double originY = 0.0;
    std::int16_t xSign = 1;  // -1 when the axis is mirrored
    std::int16_t ySign = 1;
    double box[4] = {0.0, 0.0, 100.0, 100.0};  // mm: x1, y1, x2, y2
};
