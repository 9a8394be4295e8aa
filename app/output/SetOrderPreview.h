// The cutting-order dialog's preview without its window: the isotropic mapping of the drawing into the
// preview area (1 logical unit = 0.001 mm, y up), fitting, zooming about the cursor, panning, and the
// picture painted through a device context.
#pragma once

#include "CadRect.h"
#include "DeviceContext.h"
#include "SDPoint.h"

class CDlgSetOrder;

class SetOrderPreview {
  public:
    static constexpr double kMinScale = 0.001;  // logical units per pixel
    static constexpr double kFitMargin = 0.95;  // the share of the area a fitted drawing fills

    void SetAreaSize(platform::Size sizePx) { area_ = sizePx; }
    platform::Size AreaSize() const { return area_; }
    double Scale() const { return scale_; }
    platform::Point PanOffset() const { return pan_; }

    // The whole rectangle (mm) in the area, its centre on the area's centre.
    void Fit(const CCadRect& unionMm);
    // A forward turn (delta 0 or more) zooms in by 3/2, a backward one out; the point under the cursor
    // stays put.
    void ZoomAt(int wheelDelta, platform::Point cursorPx);
    void Pan(int dxPx, int dyPx);

    // Gives the context the preview's mapping.
    void PrepareDC(platform::DeviceContext& dc) const;
    // The logical point (0.001 mm) and the millimetres under a pixel of the area.
    platform::Point ToLogical(platform::Point devicePx) const;
    SDPoint ToMm(platform::Point devicePx) const;

    // Paints the whole area into `picture` (device pixels): white, the drawing's extent framed in grey,
    // with the path shown the job origin, then every element, the order first.
    void Paint(platform::DeviceContext& picture, const CDlgSetOrder& lists) const;

  private:
    platform::Size area_{1, 1};
    double scale_ = 1.0;
    platform::Point pan_{0, 0};
};
