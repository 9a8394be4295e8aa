// The HLS conversions in floating point, packed and unpacked with truncation.
#include "HlsColor.h"

#include <algorithm>

using platform::ColorRef;

namespace {

constexpr double kFullTurnDegrees = 360.0;

HlsColor PackHls(int hue, int lightness, int saturation) {
    return static_cast<HlsColor>(hue) | (static_cast<HlsColor>(lightness) << 8) |
           (static_cast<HlsColor>(saturation) << 16);
}

// One component from the two lightness bounds and the hue offset in degrees.
double HueToValue(double low, double high, double hueDegrees) {
    if (hueDegrees > kFullTurnDegrees) hueDegrees -= kFullTurnDegrees;
    if (hueDegrees < 0) hueDegrees += kFullTurnDegrees;
    if (hueDegrees < 60) return low + (high - low) * hueDegrees / 60;
    if (hueDegrees < 180) return high;
    if (hueDegrees < 240) return low + (high - low) * (240 - hueDegrees) / 60;
    return low;
}

std::uint8_t ToByte(double fraction) {
    return static_cast<std::uint8_t>(std::clamp(fraction * 255, 0.0, 255.0));
}

int Adjusted(int value, int percent) {
    if (percent > 0) return value + (255 - value) * percent / 100;
    if (percent < 0) return (percent + 100) * value / 100;
    return value;
}

}  // namespace

HlsColor RGBtoHLS(ColorRef color) {
    const int red = platform::RedOf(color);
    const int green = platform::GreenOf(color);
    const int blue = platform::BlueOf(color);
    const int high = std::max({red, green, blue});
    const int low = std::min({red, green, blue});
    const double lightness = (high + low) / 510.0;
    if (high == low) return PackHls(0, static_cast<int>(lightness * 255), 0);

    const double spread = high - low;
    const double saturation = lightness <= 0.5 ? spread / (high + low) : spread / (510 - (high + low));
    const double redShare = (high - red) / spread;
    const double greenShare = (high - green) / spread;
    const double blueShare = (high - blue) / spread;
    // Tested blue first, then green, then red, so that on a tie blue wins over green and green over red.
    double hue = 0;
    if (blue == high) {
        hue = 60 * (greenShare + 4 - redShare);
    } else if (green == high) {
        hue = 60 * (redShare + 2 - blueShare);
    } else {
        hue = 60 * (blueShare + 6 - greenShare);
    }
    if (hue > kFullTurnDegrees) hue -= kFullTurnDegrees;
    return PackHls(static_cast<int>(hue * 255 / kFullTurnDegrees), static_cast<int>(lightness * 255),
                   static_cast<int>(saturation * 255));
}

ColorRef HLStoRGB(HlsColor hls) {
    const double hue = (hls & 0xFF) * kFullTurnDegrees / 255;
    const double lightness = ((hls >> 8) & 0xFF) / 255.0;
    const double saturation = ((hls >> 16) & 0xFF) / 255.0;
    if (saturation == 0) {
        const auto grey = static_cast<std::uint8_t>((hls >> 8) & 0xFF);
        return platform::Rgb(grey, grey, grey);
    }
    const double high =
        lightness <= 0.5 ? lightness * (1 + saturation) : lightness + saturation - lightness * saturation;
    const double low = 2 * lightness - high;
    return platform::Rgb(ToByte(HueToValue(low, high, hue + 120)), ToByte(HueToValue(low, high, hue)),
                         ToByte(HueToValue(low, high, hue - 120)));
}

ColorRef AdjustHLS(ColorRef color, int lightnessPercent, int saturationPercent) {
    const HlsColor hls = RGBtoHLS(color);
    const int lightness = Adjusted(static_cast<int>((hls >> 8) & 0xFF), lightnessPercent);
    const int saturation = Adjusted(static_cast<int>((hls >> 16) & 0xFF), saturationPercent);
    return HLStoRGB(PackHls(static_cast<int>(hls & 0xFF), std::clamp(lightness, 0, 255),
                            std::clamp(saturation, 0, 255)));
}
