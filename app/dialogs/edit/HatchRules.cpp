#include "HatchRules.h"

#include <algorithm>
#include <cmath>

namespace dialogs::edit {
namespace {

constexpr double kInchesPerMetre = 39.37007874015748;

std::uint32_t PixelsAcross(double sideMm, std::uint32_t pixelsPerMetre) {
    const double pixels = std::trunc(std::fabs(sideMm) * pixelsPerMetre * 0.001 + 0.5);
    return static_cast<std::uint32_t>(std::max(pixels, 1.0));
}

}  // namespace

std::uint32_t HatchResolution(double typedDpi) {
    const double clamped = std::clamp(typedDpi, static_cast<double>(kMinHatchDpi), static_cast<double>(kMaxHatchDpi));
    return static_cast<std::uint32_t>(std::trunc(clamped));
}

HatchBitmapSize HatchBitmapSizeOf(double widthMm, double heightMm, std::uint32_t dpi) {
    const auto pixelsPerMetre = static_cast<std::uint32_t>(std::trunc(dpi * kInchesPerMetre));
    return {pixelsPerMetre, PixelsAcross(widthMm, pixelsPerMetre), PixelsAcross(heightMm, pixelsPerMetre)};
}

}  // namespace dialogs::edit
