// The bands of the progress gradient: as many as the largest colour step between the two ends, each
// taking its colour from its place in the whole bar, so that the colour at a point never depends on the
// position.
#include "ProgressBands.h"

#include "Numbers.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

using platform::ColorRef;
using platform::Rect;

namespace {

int LargestComponentStep(ColorRef from, ColorRef to) {
    return std::max({std::abs(platform::RedOf(to) - platform::RedOf(from)),
                     std::abs(platform::GreenOf(to) - platform::GreenOf(from)),
                     std::abs(platform::BlueOf(to) - platform::BlueOf(from))});
}

// Component of band `index` of `count`, reduced to its low eight bits as the painting always did.
std::uint8_t BandComponent(int from, int to, int index, int count) {
    const double value = from + index * static_cast<double>(to - from) / count;
    return static_cast<std::uint8_t>(static_cast<std::int64_t>(std::floor(value)) & 0xFF);
}

ColorRef BandColor(ColorRef from, ColorRef to, int index, int count) {
    return platform::Rgb(BandComponent(platform::RedOf(from), platform::RedOf(to), index, count),
                         BandComponent(platform::GreenOf(from), platform::GreenOf(to), index, count),
                         BandComponent(platform::BlueOf(from), platform::BlueOf(to), index, count));
}

// A span along the bar, [from, to), across the whole other extent plus one pixel.
Rect SpanRect(std::int32_t from, std::int32_t to, platform::Size size, bool vertical) {
    if (vertical) return {0, from, size.width + 1, to};
    return {from, 0, to, size.height + 1};
}

}  // namespace

std::string FormatProgressPercent(const ProgressRange& range) {
    const double span = static_cast<double>(range.upper) - range.lower;
    const double percent = span == 0 ? 0 : (static_cast<double>(range.position) - range.lower) * 100 / span;
    return platform::FormatFixed(percent, 1) + "   %";
}

ProgressPicture ComputeProgressPicture(const ProgressRange& range, const ProgressColors& colors,
                                       platform::Size size, bool vertical) {
    ProgressPicture picture;
    if (range.position <= range.lower || range.position > range.upper || range.upper == 0) return picture;
    picture.empty = false;

    const std::int32_t extent = vertical ? size.height : size.width;
    const auto barLength =
        static_cast<std::int64_t>(std::floor(static_cast<double>(range.position) / range.upper * extent));
    // Equal end colours would give no band at all and leave the bar unpainted: one solid band instead.
    const int bandCount = std::max(1, LargestComponentStep(colors.start, colors.end));
    const double bandSize = static_cast<double>(extent) / bandCount;
    for (int index = 0; index < bandCount; ++index) {
        const auto from = static_cast<std::int32_t>(std::floor(index * bandSize));
        const auto to = static_cast<std::int32_t>(std::floor((index + 1) * bandSize));
        picture.bands.push_back({SpanRect(from, to, size, vertical), BandColor(colors.start, colors.end, index, bandCount)});
        if (to > barLength) {
            picture.background = SpanRect(to, extent, size, vertical);
            break;
        }
    }
    picture.text = FormatProgressPercent(range);
    return picture;
}
