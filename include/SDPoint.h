// SDPoint: a point of the drawing plane in millimetres, y axis up. A plain value passed by copy.
#pragma once

struct SDPoint {
    double x = 0.0;
    double y = 0.0;
};
