// The bands of the gradient bar: a ramp between two colours as equal-width bands, one per step of the
// channel that changes most.
#pragma once

#include <cstdint>
#include <vector>

#include "GdiTypes.h"

namespace simscope {

struct GradientBand {
    std::int32_t left = 0;
    std::int32_t right = 0;  // outside
    platform::ColorRef color = 0;

    friend bool operator==(const GradientBand&, const GradientBand&) = default;
};

// Equal colours give one band over the whole width. Otherwise n bands of width / n pixels (single
// precision, edges truncated), with the colour start + k x (end - start) / n per channel; bands whose
// right edge lies beyond the width are left out.
std::vector<GradientBand> GradientBandsOf(platform::ColorRef start, platform::ColorRef end, std::int32_t width);

}  // namespace simscope
