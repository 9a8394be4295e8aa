// Dash patterns and clipping of one-pixel lines.
#include "ThinLine.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numeric>

namespace platform {
namespace {

constexpr std::array<std::int32_t, 2> kDashPattern{18, 6};
constexpr std::array<std::int32_t, 2> kDotPattern{3, 3};
constexpr std::array<std::int32_t, 4> kDashDotPattern{9, 6, 3, 6};

}  // namespace

std::span<const std::int32_t> DashPatternOf(PenStyle style) {
    switch (style) {
        case PenStyle::Dash:
            return kDashPattern;
        case PenStyle::Dot:
            return kDotPattern;
        case PenStyle::DashDot:
            return kDashDotPattern;
        case PenStyle::Solid:
        case PenStyle::Null:
            break;
    }
    return {};
}

ThinLineStepper::ThinLineStepper(PenStyle style, const Rect& clip)
    : pattern_(DashPatternOf(style)),
      patternLength_(static_cast<std::uint64_t>(std::accumulate(pattern_.begin(), pattern_.end(), 0))),
      clip_(clip) {}

bool ThinLineStepper::IsOn(std::uint64_t patternPosition) const {
    if (patternLength_ == 0) {
        return true;
    }
    std::uint64_t position = patternPosition % patternLength_;
    for (std::size_t run = 0; run < pattern_.size(); ++run) {
        const auto length = static_cast<std::uint64_t>(pattern_[run]);
        if (position < length) {
            return run % 2 == 0;
        }
        position -= length;
    }
    return false;
}

// The steps whose pixels may lie inside the clip rectangle: exact on the longer axis, and with a margin
// of one pixel on the shorter one, whose pixels are rounded. Pixels are checked one by one as well.
ThinLineStepper::StepRange ThinLineStepper::VisibleSteps(Point from, Point to, std::int64_t steps) const {
    // The clip is convex and every pixel lies between the ends on both axes, so a line whose ends are
    // inside is wholly inside.
    if (Inside(from.x, from.y) && Inside(to.x, to.y)) {
        return {0, steps};
    }
    double first = 0.0;
    double last = static_cast<double>(steps);
    const auto limitAxis = [&](double start, double end, double low, double high) {
        const double delta = end - start;
        if (delta == 0.0) {
            if (start < low || start > high) {
                last = first;
            }
            return;
        }
        const double atLow = (low - start) / delta * static_cast<double>(steps);
        const double atHigh = (high - start) / delta * static_cast<double>(steps);
        first = std::max(first, std::floor(std::min(atLow, atHigh)));
        last = std::min(last, std::ceil(std::max(atLow, atHigh)) + 1.0);
    };
    limitAxis(from.x, to.x, clip_.left - 1.0, clip_.right);
    limitAxis(from.y, to.y, clip_.top - 1.0, clip_.bottom);
    if (first >= last) {
        return {};
    }
    return {static_cast<std::int64_t>(first), static_cast<std::int64_t>(last)};
}

}  // namespace platform
