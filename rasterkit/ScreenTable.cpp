// The screen's thresholds come from the cosine spot function s = (cos(pi x) + cos(pi y)) / 2 over one
// period (x and y in -1..1 from the middle), read as coverage u = (1 - s) / 2: 0 in the middle, 1/2 where
// growing dots first touch (the middles of the edges), 1 at the corners. A tone curve through the points
// below turns coverage into thresholds: a small flat core so that the smallest dots are a few pixels wide,
// then thresholds that climb more slowly toward the corners, where the last light holes close.
#include "ScreenTable.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace rasterkit {
namespace {

struct CurvePoint {
    double coverage;
    double threshold;  // before truncation
};

constexpr CurvePoint kToneCurve[] = {
    {0.0, 0.0},       {0.01, 0.0},      {0.5, 152.5},     {0.935, 248.5},   {0.9505, 249.5},
    {0.9641, 250.5},  {0.9757, 252.2},  {0.9851, 252.8},  {0.9922, 253.5},  {1.0, 255.0},
};

double Coverage(int row, int column) {
    const double x = (column - 31.5) / 32.0;
    const double y = (row - 31.5) / 32.0;
    return (2.0 - std::cos(std::numbers::pi * x) - std::cos(std::numbers::pi * y)) / 4.0;
}

std::uint8_t Threshold(double coverage) {
    const auto* upper = std::find_if(std::begin(kToneCurve), std::end(kToneCurve),
                                     [&](const CurvePoint& point) { return point.coverage >= coverage; });
    if (upper == std::begin(kToneCurve)) {
        return 0;
    }
    const CurvePoint& lower = upper[-1];
    const double t = (coverage - lower.coverage) / (upper->coverage - lower.coverage);
    const double value = lower.threshold + t * (upper->threshold - lower.threshold);
    return static_cast<std::uint8_t>(std::min(value, 254.0));
}

ScreenTable MakeTable() {
    ScreenTable table{};
    for (int row = 0; row < kScreenPeriod; ++row) {
        for (int column = 0; column < kScreenPeriod; ++column) {
            table[row][column] = Threshold(Coverage(row, column));
        }
    }
    return table;
}

}  // namespace

int ScreenCell(int linesPerInch, std::int32_t widthPixels, double widthMm) {
    const double cell = std::trunc(25.4 / linesPerInch * (widthPixels / widthMm) + 0.5);
    return static_cast<int>(std::clamp(cell, 4.0, 64.0));
}

const ScreenTable& ScreenThresholds() {
    static const ScreenTable table = MakeTable();
    return table;
}

}  // namespace rasterkit
