// Colour arithmetic in the hue-lightness-saturation space: the recipe by which the flat controls derive
// their hover, pressed and shadow shades from the system colours.
#pragma once

#include "GdiTypes.h"

// An HLS colour packed as a colour reference: hue in the low byte (255 stands for 360 degrees),
// lightness in the second byte, saturation in the third, each 0 to 255.
using HlsColor = std::uint32_t;

HlsColor RGBtoHLS(platform::ColorRef color);
platform::ColorRef HLStoRGB(HlsColor hls);

// Positive percentages move lightness (saturation) towards 255 by that share of the distance; negative
// ones scale it down to (100 + percent) percent; 0 leaves it. Integer arithmetic, truncated toward zero.
platform::ColorRef AdjustHLS(platform::ColorRef color, int lightnessPercent, int saturationPercent);
