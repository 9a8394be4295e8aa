// Mapping between logical units and device pixels.
#include "Mapping.h"

#include <cstdint>
#include <limits>

namespace platform {
namespace {

using Wide = __int128;

std::int32_t ClampToInt32(Wide value) {
    constexpr Wide kLowest = std::numeric_limits<std::int32_t>::min();
    constexpr Wide kHighest = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(value < kLowest ? kLowest : (value > kHighest ? kHighest : value));
}

Wide Magnitude(Wide value) {
    return value < 0 ? -value : value;
}

// value x numerator / denominator rounded to the nearest integer, halves away from zero, in `Int`, which
// must hold twice the product plus the denominator.
template <typename Int>
Int RoundedMulDivIn(Int value, Int numerator, Int denominator) {
    Int product = value * numerator;
    if (denominator < 0) {
        product = -product;
        denominator = -denominator;
    }
    if (product >= 0) {
        return (2 * product + denominator) / (2 * denominator);
    }
    return -((-2 * product + denominator) / (2 * denominator));
}

// The same in 64 bits where the operands are small enough, as they are for any drawing on a surface,
// since 128-bit division costs many times more.
Wide RoundedMulDiv(Wide value, Wide numerator, Wide denominator) {
    constexpr Wide kNarrowLimit = Wide{1} << 30;
    constexpr Wide kNarrowDenominatorLimit = Wide{1} << 31;
    if (Magnitude(value) <= kNarrowLimit && Magnitude(numerator) <= kNarrowLimit &&
        Magnitude(denominator) <= kNarrowDenominatorLimit) {
        return RoundedMulDivIn<std::int64_t>(static_cast<std::int64_t>(value), static_cast<std::int64_t>(numerator),
                                             static_cast<std::int64_t>(denominator));
    }
    return RoundedMulDivIn<Wide>(value, numerator, denominator);
}

std::int32_t MapAxis(std::int32_t value, std::int32_t fromOrigin, std::int32_t fromExtent,
                     std::int32_t toOrigin, std::int32_t toExtent) {
    const Wide offset = static_cast<Wide>(value) - fromOrigin;
    return ClampToInt32(RoundedMulDiv(offset, toExtent, fromExtent) + toOrigin);
}

std::int32_t SignOf(std::int32_t value) {
    return value < 0 ? -1 : 1;
}

// |numerator x factor / denominator|, rounded, at least 1, with the sign of `signSource`.
std::int32_t ScaledExtent(std::int32_t signSource, std::int32_t numerator, std::int32_t factor,
                          std::int32_t denominator) {
    const Wide magnitude = RoundedMulDiv(Magnitude(numerator), Magnitude(factor), Magnitude(denominator));
    const std::int32_t clamped = ClampToInt32(magnitude < 1 ? 1 : magnitude);
    return SignOf(signSource) * clamped;
}

}  // namespace

MapMode Mapping::SetMapMode(MapMode mode) {
    const MapMode previous = mode_;
    mode_ = mode;
    if (mode_ == MapMode::Text) {
        windowExt_ = {1, 1};
        requestedViewportExt_ = {1, 1};
    }
    viewportExt_ = requestedViewportExt_;
    MakeIsotropic();
    return previous;
}

Point Mapping::SetWindowOrg(Point origin) {
    const Point previous = windowOrg_;
    windowOrg_ = origin;
    return previous;
}

Point Mapping::SetViewportOrg(Point origin) {
    const Point previous = viewportOrg_;
    viewportOrg_ = origin;
    return previous;
}

Size Mapping::SetWindowExt(Size extent) {
    const Size previous = windowExt_;
    if (mode_ == MapMode::Text || extent.width == 0 || extent.height == 0) {
        return previous;
    }
    windowExt_ = extent;
    viewportExt_ = requestedViewportExt_;
    MakeIsotropic();
    return previous;
}

Size Mapping::SetViewportExt(Size extent) {
    const Size previous = viewportExt_;
    if (mode_ == MapMode::Text || extent.width == 0 || extent.height == 0) {
        return previous;
    }
    requestedViewportExt_ = extent;
    viewportExt_ = extent;
    MakeIsotropic();
    return previous;
}

void Mapping::MakeIsotropic() {
    if (mode_ != MapMode::Isotropic) {
        return;
    }
    // Compare |vx / wx| with |vy / wy| without dividing: |vx| x |wy| against |vy| x |wx|.
    const Wide scaleX = Magnitude(viewportExt_.width) * Magnitude(windowExt_.height);
    const Wide scaleY = Magnitude(viewportExt_.height) * Magnitude(windowExt_.width);
    if (scaleX > scaleY) {
        viewportExt_.width =
            ScaledExtent(viewportExt_.width, viewportExt_.height, windowExt_.width, windowExt_.height);
    } else if (scaleY > scaleX) {
        viewportExt_.height =
            ScaledExtent(viewportExt_.height, viewportExt_.width, windowExt_.height, windowExt_.width);
    }
}

Point Mapping::LPtoDP(Point logical) const {
    return {MapAxis(logical.x, windowOrg_.x, windowExt_.width, viewportOrg_.x, viewportExt_.width),
            MapAxis(logical.y, windowOrg_.y, windowExt_.height, viewportOrg_.y, viewportExt_.height)};
}

Point Mapping::DPtoLP(Point device) const {
    return {MapAxis(device.x, viewportOrg_.x, viewportExt_.width, windowOrg_.x, windowExt_.width),
            MapAxis(device.y, viewportOrg_.y, viewportExt_.height, windowOrg_.y, windowExt_.height)};
}

std::int32_t Mapping::LengthLPtoDPx(std::int32_t logicalLength) const {
    const Wide length = RoundedMulDiv(logicalLength, viewportExt_.width, windowExt_.width);
    return ClampToInt32(length < 0 ? -length : length);
}

}  // namespace platform
