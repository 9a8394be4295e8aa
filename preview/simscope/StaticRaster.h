// The static drawing of the job in the drawing area for one view, kept as a picture of the area shrunk
// by the clip margin. RenderStaticRaster makes it from the display list, skipping chunks outside the
// picture and points that land on the pixel of the point before; PaintJobReference draws every record
// through the device context. Both give the same pixels.
#pragma once

#include <QImage>

#include <string_view>

#include "DeviceContext.h"
#include "DisplayList.h"
#include "PreviewJob.h"
#include "PreviewSettings.h"
#include "ViewMapping.h"

namespace simscope {

// The radius of a delay's circle: 2 pixels in micrometres under the context's mapping.
std::int32_t DelayCircleRadius(const platform::DeviceContext& context);

// A context on a picture of the area: background, then either the hint (an empty job) or the start
// marker; the view mapping set and the marker pen selected, the pen position at the origin.
platform::DeviceContext PrepareStaticPicture(platform::Size area, ViewState& view, const PreviewColors& colors,
                                             bool emptyJob, platform::Point startUm, std::string_view hint);

QImage RenderStaticRaster(const DisplayList& list, platform::Size area, ViewState& view,
                          const PreviewColors& colors, std::string_view hint);

// Every record through the device context: the definition the raster is held to.
QImage PaintJobReference(const PreviewJob& job, platform::Size area, ViewState& view, const PreviewColors& colors,
                         std::string_view hint);

}  // namespace simscope
