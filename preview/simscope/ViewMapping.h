// The view of the drawing area: micrometres per pixel and the pan, the mapping they give, fitting the
// job box and zooming about the cursor.
//
// Pictures of the drawing area (the static raster, the playback canvas) cover the area shrunk by 2
// pixels on every side, which is where drawing is clipped: their pixel (0, 0) is the area's (2, 2).
#pragma once

#include <cstdint>

#include "DeviceContext.h"
#include "Mapping.h"
#include "PreviewJob.h"

namespace simscope {

constexpr double kMinScale = 0.1;
constexpr double kMaxScale = 1000000.0;
constexpr std::int32_t kClipMargin = 2;

struct ViewState {
    double scale = 1.0;  // micrometres per pixel
    std::int32_t panX = 0;
    std::int32_t panY = 0;

    friend bool operator==(const ViewState&, const ViewState&) = default;
};

// Clamped to 0.1..1000000 (a scale that is not a number is taken as 0.1) and brought down to a multiple
// of 0.002.
double QuantisedScale(double scale);

// The size of the pictures of an area (area shrunk by the clip margin, never negative).
platform::Size PictureSize(platform::Size area);

// Quantises view.scale, then gives the isotropic mapping from micrometres to picture pixels, y upward.
platform::Mapping ViewMappingFor(platform::Size area, ViewState& view);
void ApplyViewMapping(platform::DeviceContext& context, platform::Size area, ViewState& view);

// The scale that fits the box into 98% of the area, and the pan that centres it.
void FitView(platform::Size area, const JobBox& box, ViewState& view);

// A positive wheel delta (turned away from the user) multiplies the scale by 1.1, any other by 1 / 1.1,
// keeping the point under `cursor` (area pixels) where it is.
void ZoomView(platform::Size area, platform::Point cursor, int wheelDelta, ViewState& view);

}  // namespace simscope
