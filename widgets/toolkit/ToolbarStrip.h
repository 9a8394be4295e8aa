// The toolbar's resource table and the pixel recipes of its three image lists (normal, disabled, hot),
// without Qt: the widget applies them to its strip image.
#pragma once

#include "GdiTypes.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// A toolbar table: 16-bit little-endian version, width, height, item count and that many command ids;
// id 0 marks a separator.
struct ToolbarResource {
    std::uint16_t version = 0;
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    std::vector<std::uint16_t> commandIds;
};

// Nothing when the bytes end before the header or before the last id.
std::optional<ToolbarResource> ParseToolbarResource(std::span<const std::uint8_t> bytes);
std::vector<std::uint8_t> EncodeToolbarResource(const ToolbarResource& resource);

struct ToolbarMetrics {
    int buttonCount = 0;
    int separatorCount = 0;
    platform::Size imageSize;
    platform::Size buttonSize;  // the image size plus 7 each way
};

// The image and button sizes for a strip of `stripSize` pixels. Nothing when there is no real button or
// more buttons than the strip has pixels across, where the images would have no width.
std::optional<ToolbarMetrics> ComputeToolbarMetrics(const ToolbarResource& resource, platform::Size stripSize);

// Pixel recipes for the pixels that are not the transparent colour.
// Disabled shadow: every drawn pixel becomes 0xFAFAFA.
constexpr platform::ColorRef kDisabledShadowColor = platform::Rgb(250, 250, 250);
// Disabled face: the grey of 0.2 x (red + blue) + 0.4 x green.
platform::ColorRef DisabledGrey(platform::ColorRef color);
// Hot: red and blue up by 15 (255 above 240), green up by 55 (255 above 200).
platform::ColorRef HotLighten(platform::ColorRef color);
