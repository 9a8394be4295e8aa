// Gradient bar bands.
#include "GradientBands.h"

#include <algorithm>
#include <cstdlib>

namespace simscope {

std::vector<GradientBand> GradientBandsOf(platform::ColorRef start, platform::ColorRef end, std::int32_t width) {
    if (start == end) {
        return {{0, width, start}};
    }
    const int dRed = int{platform::RedOf(end)} - platform::RedOf(start);
    const int dGreen = int{platform::GreenOf(end)} - platform::GreenOf(start);
    const int dBlue = int{platform::BlueOf(end)} - platform::BlueOf(start);
    const int bands = std::max({std::abs(dRed), std::abs(dGreen), std::abs(dBlue)});
    const float bandWidth = static_cast<float>(width) / static_cast<float>(bands);
    const float stepRed = static_cast<float>(dRed) / static_cast<float>(bands);
    const float stepGreen = static_cast<float>(dGreen) / static_cast<float>(bands);
    const float stepBlue = static_cast<float>(dBlue) / static_cast<float>(bands);
    std::vector<GradientBand> result;
    result.reserve(static_cast<std::size_t>(bands));
    for (int k = 0; k < bands; ++k) {
        const auto left = static_cast<std::int32_t>(static_cast<float>(k) * bandWidth);
        const auto right = static_cast<std::int32_t>(static_cast<float>(k + 1) * bandWidth);
        if (right > width) {
            break;
        }
        const auto channel = [k](std::uint8_t from, float step) {
            return static_cast<std::uint8_t>(static_cast<float>(from) + static_cast<float>(k) * step);
        };
        result.push_back({left, right,
                          platform::Rgb(channel(platform::RedOf(start), stepRed),
                                        channel(platform::GreenOf(start), stepGreen),
                                        channel(platform::BlueOf(start), stepBlue))});
    }
    return result;
}

}  // namespace simscope
