// The mapping between logical units and device pixels of a device context: the mapping mode, window and
// viewport origins and extents, and the conversions both ways with the platform's integer rounding.
#pragma once

#include "GdiTypes.h"

namespace platform {

class Mapping {
  public:
    MapMode Mode() const { return mode_; }
    // Switching to Text resets both extents to (1, 1). Switching to Isotropic makes the extents
    // isotropic at once, as the extents' setters do.
    MapMode SetMapMode(MapMode mode);

    // Setters return the previous value. Extents are ignored (and the previous value returned) in Text
    // mode or when a component is 0.
    Point SetWindowOrg(Point origin);
    Point SetViewportOrg(Point origin);
    Size SetWindowExt(Size extent);
    Size SetViewportExt(Size extent);

    Point WindowOrg() const { return windowOrg_; }
    Point ViewportOrg() const { return viewportOrg_; }
    Size WindowExt() const { return windowExt_; }
    // In Isotropic mode, the extent after adjustment: the axis with the larger scale is brought down to
    // the other axis's scale (|viewport / window|), keeping its sign, so that a logical unit is equally
    // long on both axes.
    Size ViewportExt() const { return viewportExt_; }

    // device = round((logical - windowOrg) x viewportExt / windowExt) + viewportOrg, per axis, and the
    // inverse with the roles swapped. Rounding is to the nearest integer, halves away from zero, computed
    // exactly in 64-bit integers; results beyond the 32-bit range are clamped to it.
    Point LPtoDP(Point logical) const;
    Point DPtoLP(Point device) const;

    // A logical width along x in device pixels, as pens use it: |width x viewportExt.x / windowExt.x|,
    // rounded.
    std::int32_t LengthLPtoDPx(std::int32_t logicalLength) const;

  private:
    void MakeIsotropic();

    MapMode mode_ = MapMode::Text;
    Point windowOrg_;
    Point viewportOrg_;
    Size windowExt_{1, 1};
    Size viewportExt_{1, 1};
    // The viewport extent as last set; isotropic adjustment works from it so that setting the window
    // extent after the viewport extent gives the same result as the other order.
    Size requestedViewportExt_{1, 1};
};

}  // namespace platform
