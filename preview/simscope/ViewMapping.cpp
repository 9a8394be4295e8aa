// View mapping of the drawing area.
#include "ViewMapping.h"

#include <cmath>

#include "LogicalUnits.h"

namespace simscope {
namespace {

constexpr double kFitShare = 0.98;
constexpr double kZoomOut = 1.1;
constexpr double kZoomIn = 0.9090909090909091;
constexpr std::int32_t kViewportExtent = 10000;

platform::Point AreaToPicture(platform::Point area) {
    return {area.x - kClipMargin, area.y - kClipMargin};
}

std::int32_t SaturatedAdd(std::int32_t value, std::int64_t delta) {
    return TruncateToInt32(static_cast<double>(value + delta));
}

}  // namespace

double QuantisedScale(double scale) {
    if (std::isnan(scale)) {
        scale = kMinScale;
    }
    scale = std::fmin(std::fmax(scale, kMinScale), kMaxScale);
    return std::trunc(scale * 500.0) * 0.002;
}

platform::Size PictureSize(platform::Size area) {
    const auto inner = [](std::int32_t length) { return length > 2 * kClipMargin ? length - 2 * kClipMargin : 0; };
    return {inner(area.width), inner(area.height)};
}

platform::Mapping ViewMappingFor(platform::Size area, ViewState& view) {
    view.scale = QuantisedScale(view.scale);
    // Beyond about 214748 micrometres per pixel the window extent stays at the 32-bit limit.
    const std::int32_t windowExtent = TruncateToInt32(view.scale * kViewportExtent);
    platform::Mapping mapping;
    mapping.SetMapMode(platform::MapMode::Isotropic);
    mapping.SetWindowExt({windowExtent, windowExtent});
    mapping.SetViewportExt({kViewportExtent, -kViewportExtent});
    const std::int32_t centreX = TruncateToInt32((0.0 + area.width + 1.0) * 0.5);
    const std::int32_t centreY = TruncateToInt32((0.0 + area.height + 1.0) * 0.5);
    const platform::Point origin = AreaToPicture({SaturatedAdd(centreX, view.panX), SaturatedAdd(centreY, view.panY)});
    mapping.SetViewportOrg(origin);
    return mapping;
}

void ApplyViewMapping(platform::DeviceContext& context, platform::Size area, ViewState& view) {
    const platform::Mapping mapping = ViewMappingFor(area, view);
    context.SetMapMode(platform::MapMode::Isotropic);
    context.SetWindowOrg(0, 0);
    context.SetWindowExt(mapping.WindowExt().width, mapping.WindowExt().height);
    context.SetViewportExt(kViewportExtent, -kViewportExtent);
    context.SetViewportOrg(mapping.ViewportOrg().x, mapping.ViewportOrg().y);
}

void FitView(platform::Size area, const JobBox& box, ViewState& view) {
    const std::int64_t minX = ToLogicalUnits(box.minX);
    const std::int64_t maxX = ToLogicalUnits(box.maxX);
    const std::int64_t minY = ToLogicalUnits(box.minY);
    const std::int64_t maxY = ToLogicalUnits(box.maxY);
    const double byHeight = std::fabs(static_cast<double>(maxY - minY)) / (area.height * kFitShare);
    const double byWidth = std::fabs(static_cast<double>(maxX - minX)) / (area.width * kFitShare);
    const double scale = std::fmax(byHeight, byWidth);
    view.scale = std::isfinite(scale) ? scale : kMinScale;
    const platform::Mapping mapping = ViewMappingFor(area, view);
    const platform::Point centre = mapping.LPtoDP(
        {static_cast<std::int32_t>((minX + maxX) / 2), static_cast<std::int32_t>((minY + maxY) / 2)});
    const platform::Point areaCentre = AreaToPicture({area.width / 2, area.height / 2});
    view.panX = SaturatedAdd(view.panX, std::int64_t{areaCentre.x} - centre.x);
    view.panY = SaturatedAdd(view.panY, std::int64_t{areaCentre.y} - centre.y);
}

void ZoomView(platform::Size area, platform::Point cursor, int wheelDelta, ViewState& view) {
    const platform::Point picturePoint = AreaToPicture(cursor);
    const platform::Point logical = ViewMappingFor(area, view).DPtoLP(picturePoint);
    view.scale *= wheelDelta > 0 ? kZoomOut : kZoomIn;
    const platform::Point after = ViewMappingFor(area, view).LPtoDP(logical);
    view.panX = SaturatedAdd(view.panX, std::int64_t{picturePoint.x} - after.x);
    view.panY = SaturatedAdd(view.panY, std::int64_t{picturePoint.y} - after.y);
}

}  // namespace simscope
