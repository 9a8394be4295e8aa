// Tick layout of the rulers.
#include "RulerTicks.h"

#include <cmath>

#include "ShellTexts.h"

namespace {

// Multiples of the spacing are snapped to a grid of 1/kGridStepsPerMm before they are labelled, so that
// 30 x 0.02 reads "0.6" and not the three decimals of 0.6000000000000001.
constexpr double kGridStepsPerMm = 1e6;
// Multiples beyond this cannot be counted exactly in a double; such a view shows no ticks.
constexpr double kLargestMultiple = 1e15;
constexpr int kMiddleTickGap = 8;
constexpr int kShortTickGap = 12;

RulerTickKind KindOf(long long multiple) {
    if (multiple % 10 == 0) {
        return RulerTickKind::kLong;
    }
    return multiple % 5 == 0 ? RulerTickKind::kMiddle : RulerTickKind::kShort;
}

}  // namespace

std::vector<RulerTick> LayOutRulerTicks(double startMm, double mmPerPixel, int lengthPixels, double stepMm) {
    std::vector<RulerTick> ticks;
    if (lengthPixels <= 0 || !std::isfinite(startMm) || !std::isfinite(mmPerPixel) || mmPerPixel == 0.0 ||
        !std::isfinite(stepMm) || stepMm <= 0.0) {
        return ticks;
    }
    const double endMm = startMm + mmPerPixel * lengthPixels;
    const double first = std::ceil(std::fmin(startMm, endMm) / stepMm);
    const double last = std::floor(std::fmax(startMm, endMm) / stepMm);
    if (!(last - first <= lengthPixels) || std::fabs(first) > kLargestMultiple ||
        std::fabs(last) > kLargestMultiple) {
        return ticks;
    }
    for (auto multiple = static_cast<long long>(first); multiple <= static_cast<long long>(last);
         ++multiple) {
        const double valueMm =
            std::round(static_cast<double>(multiple) * stepMm * kGridStepsPerMm) / kGridStepsPerMm;
        RulerTick tick;
        tick.pixel = static_cast<int>(std::lround((valueMm - startMm) / mmPerPixel));
        tick.kind = KindOf(multiple);
        if (tick.kind == RulerTickKind::kLong) {
            tick.label = RulerLabel(valueMm == 0.0 ? 0.0 : valueMm);
        }
        ticks.push_back(std::move(tick));
    }
    return ticks;
}

int RulerTickReach(RulerTickKind kind, int thickness) {
    switch (kind) {
        case RulerTickKind::kLong:
            return thickness;
        case RulerTickKind::kMiddle:
            return thickness - kMiddleTickGap;
        case RulerTickKind::kShort:
            return thickness - kShortTickGap;
    }
    return 0;
}
