// The plate in the designer's preview area: the view (scale and pan, fitted to the plate, zoomed by the
// wheel about the cursor), the baseline drag, and the picture itself drawn through a device context.
// Plate millimetres map to device pixels with y upward; the picture keeps 2 pixels off every edge.
#pragma once

#include <cstdint>

#include "DeviceContext.h"
#include "LgpGeometry.h"
#include "LgpParams.h"

namespace dotplate {

class CLgpPlate;

// Pixels left free on every side of the preview area.
inline constexpr int kPreviewInset = 2;

class LgpPreviewView {
  public:
    // 1/1000 mm per device pixel.
    double scale = 1.0;
    // Device pixels added to the area's centre. Kept fractional so that a zoom in and out again
    // returns to the same place.
    double panX = 0.0;
    double panY = 0.0;

    // The plate box fills 98 % of the area, centred; a side of zero size fits by the other alone.
    void Fit(const LgpBox& plate, platform::Size area);
    // One wheel notch: in divides the scale by 1.1, out multiplies it; the plate point under the
    // cursor stays where it is.
    void Zoom(bool in, platform::Point cursor, platform::Size area);

    // Area pixels (fractional) of a plate point in mm, and back.
    SDPoint ToDevice(SDPoint mm, platform::Size area) const;
    SDPoint ToPlate(SDPoint device, platform::Size area) const;

    // The baseline drag: which line the press picked, and where the mouse was last.
    enum class DragLine { kNone, kVertical, kHorizontal };
    // Starts a drag at the press: the vertical baseline is picked within 3 pixels in x of the cross
    // point, else the horizontal one within 3 pixels in y.
    DragLine BeginDrag(platform::Point press, SDPoint crossDevice);
    // The baseline shift in mm since the last point of the drag, along the picked line's normal; 0
    // without a drag.
    double DragTo(platform::Point mouse);
    void EndDrag() { drag_ = DragLine::kNone; }
    DragLine Dragging() const { return drag_; }

  private:
    DragLine drag_ = DragLine::kNone;
    platform::Point last_;
};

// What the preview shows besides the plate.
struct LgpPreviewScene {
    const CLgpPlate* plate = nullptr;
    LgpDotPara dots;
    LgpLaserPara laser;  // the array copies
    std::uint16_t originCorner = 0;
    std::uint16_t headPosition = 0;
};

// The baseline cross point: the centre of the plate box moved by the baseline.
SDPoint BaselineCross(const CLgpPlate& plate, const LgpDotPara& dots);

// Paints the area of the given size into `dc`, a surface of the area less the inset on every side
// (its pixel 0 is the area's pixel kPreviewInset): black ground, the array of plate outlines in blue
// with the derived edge outlines dashed grey, white dots (none while a light source places the
// baseline), the red baseline cross and the green origin marker.
void DrawPlatePreview(platform::DeviceContext& dc, const LgpPreviewScene& scene, const LgpPreviewView& view,
                      platform::Size area);

}  // namespace dotplate
