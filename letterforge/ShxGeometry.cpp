// Bearings and turns for the SHX decoders.
#include "ShxGeometry.h"

#include <cmath>
#include <numbers>

namespace letterforge {

double BearingOfPoint(double x0, double y0, double x1, double y1) {
    constexpr double kPi = std::numbers::pi;
    const double dx = x1 - x0;
    const double dy = y1 - y0;
    // Thousandths, truncated toward zero, decide the quadrant.
    const double ix = std::trunc(dx * 1000.0);
    const double iy = std::trunc(dy * 1000.0);
    if (ix == 0.0) {
        return iy >= 0.0 ? 0.0 : kPi;
    }
    if (iy == 0.0) {
        return ix > 0.0 ? kPi / 2.0 : 3.0 * kPi / 2.0;
    }
    const double a = std::fabs(std::atan(dy / dx));
    if (ix > 0.0) {
        return iy > 0.0 ? kPi / 2.0 - a : kPi / 2.0 + a;
    }
    return iy < 0.0 ? 3.0 * kPi / 2.0 - a : 3.0 * kPi / 2.0 + a;
}

void RotatePoint(double cx, double cy, double& x, double& y, double angle) {
    const double radius = std::hypot(x - cx, y - cy);
    const double bearing = BearingOfPoint(cx, cy, x, y);
    x = cx + radius * std::sin(bearing - angle);
    y = cy + radius * std::cos(bearing - angle);
}

}  // namespace letterforge
