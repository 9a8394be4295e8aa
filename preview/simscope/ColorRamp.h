// The colour between two colours for a laser power, used for the drawing pens and the playback pen.
#pragma once

#include "GdiTypes.h"
#include "LogicalUnits.h"

namespace simscope {

// Per channel: c0 + trunc(p x (c1 - c0)), kept to 8 bits. A power outside 0..1 wraps the channel as
// the 8-bit store does; a NaN power gives c0.
inline platform::ColorRef RampColor(platform::ColorRef c0, platform::ColorRef c1, double power) {
    const auto channel = [power](std::uint8_t from, std::uint8_t to) {
        const std::int32_t step = TruncateToInt32(power * (int{to} - int{from}));
        return static_cast<std::uint8_t>((std::int64_t{from} + step) & 0xFF);
    };
    return platform::Rgb(channel(platform::RedOf(c0), platform::RedOf(c1)),
                         channel(platform::GreenOf(c0), platform::GreenOf(c1)),
                         channel(platform::BlueOf(c0), platform::BlueOf(c1)));
}

}  // namespace simscope
