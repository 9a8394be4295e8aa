// Stepping of lines drawn with a one-pixel pen: which pixels a line covers, with the dash pattern of
// the pen's style, clipped to the surface without walking the invisible part.
//
// A line from p to q covers one pixel per step along its longer axis, from p up to but not including q;
// on the shorter axis the pixel is the line's exact position rounded to the nearest, halves upward. The
// dash pattern runs on from one line to the next of the same stepper, as along a polyline.
#pragma once

#include "GdiTypes.h"

#include <algorithm>
#include <cstdint>
#include <span>

namespace platform {

// The on and off runs of a one-pixel pen's style, in pixels, starting with an on run; empty for solid.
std::span<const std::int32_t> DashPatternOf(PenStyle style);

class ThinLineStepper {
  public:
    // Only pixels inside `clip` (normalised, right and bottom outside) are ever plotted.
    ThinLineStepper(PenStyle style, const Rect& clip);

    // Calls plot(x, y) for every visible pixel of the line from `from` to `to` (leaving `to` out) that is
    // in an on run of the pattern.
    template <typename Plot>
    void Step(Point from, Point to, Plot&& plot);

  private:
    struct StepRange {
        std::int64_t first = 0;
        std::int64_t last = 0;  // exclusive
    };

    StepRange VisibleSteps(Point from, Point to, std::int64_t steps) const;
    bool IsOn(std::uint64_t patternPosition) const;
    bool Inside(std::int64_t x, std::int64_t y) const {
        return x >= clip_.left && x < clip_.right && y >= clip_.top && y < clip_.bottom;
    }

    std::span<const std::int32_t> pattern_;
    std::uint64_t patternLength_ = 0;
    Rect clip_;
    std::uint64_t phase_ = 0;
};

template <typename Plot>
void ThinLineStepper::Step(Point from, Point to, Plot&& plot) {
    const std::int64_t dx = std::int64_t{to.x} - from.x;
    const std::int64_t dy = std::int64_t{to.y} - from.y;
    const std::int64_t steps = std::max(dx < 0 ? -dx : dx, dy < 0 ? -dy : dy);
    if (steps == 0) {
        return;
    }
    const StepRange range = VisibleSteps(from, to, steps);
    if (range.first < range.last) {
        const bool xMajor = (dx < 0 ? -dx : dx) == steps;
        const std::int64_t majorStart = xMajor ? from.x : from.y;
        const std::int64_t minorStart = xMajor ? from.y : from.x;
        const std::int64_t majorSign = (xMajor ? dx : dy) < 0 ? -1 : 1;
        const std::int64_t minorDelta = xMajor ? dy : dx;
        const std::int64_t minorSign = minorDelta < 0 ? -1 : 1;
        const std::int64_t minorMagnitude = minorDelta < 0 ? -minorDelta : minorDelta;
        // Minor offset at step k: floor((2 k |minor| + steps) / (2 steps)), kept as quotient and remainder.
        const std::int64_t divisor = 2 * steps;
        std::int64_t quotient = 0;
        std::int64_t remainder = steps;
        if (range.first > 0) {
            const __int128 numerator = static_cast<__int128>(2) * range.first * minorMagnitude + steps;
            quotient = static_cast<std::int64_t>(numerator / divisor);
            remainder = static_cast<std::int64_t>(numerator % divisor);
        }
        std::uint64_t patternPosition = phase_ + static_cast<std::uint64_t>(range.first);
        for (std::int64_t k = range.first; k < range.last; ++k) {
            const std::int64_t major = majorStart + majorSign * k;
            const std::int64_t minor = minorStart + minorSign * quotient;
            const std::int64_t x = xMajor ? major : minor;
            const std::int64_t y = xMajor ? minor : major;
            if (IsOn(patternPosition) && Inside(x, y)) {
                plot(static_cast<std::int32_t>(x), static_cast<std::int32_t>(y));
            }
            ++patternPosition;
            remainder += 2 * minorMagnitude;
            if (remainder >= divisor) {
                remainder -= divisor;
                ++quotient;
            }
        }
    }
    phase_ += static_cast<std::uint64_t>(steps);
}

}  // namespace platform
