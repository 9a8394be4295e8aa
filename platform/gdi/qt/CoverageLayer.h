// A scratch layer over part of the surface into which one shape is painted (fill first, then outline,
// so the outline's colour wins where they meet); the covered pixels are then mixed into the image with
// the raster operation, each exactly once. This is how fills and wide pens get exact Xor, NotXor and Not,
// which painting straight onto the image cannot give.
#pragma once

#include "Flatten.h"
#include "GdiTypes.h"

#include <QImage>
#include <QRect>

#include <span>

namespace platform {

class CoverageLayer {
  public:
    // A layer over `area` (device pixels, not empty), covering nothing yet.
    explicit CoverageLayer(const QRect& area);

    // Shapes take device pixels; anything outside the area is cut off.
    void FillRect(const QRect& device, QRgb color);
    // Even-odd fill of the polygon whose vertices are continuous coordinates (pixel p spans p..p+1).
    void FillPolygon(std::span<const PointF> vertices, QRgb color);
    // Stroke of `width` pixels along a chain through pixel centres (integer coordinates), round caps and
    // joins.
    void Stroke(std::span<const PointF> pixelCentres, bool closed, int width, QRgb color);
    void Plot(int x, int y, QRgb color);

    void MixInto(QImage& target, RasterOp rop) const;

  private:
    // The vertices moved into layer coordinates and cut to a margin around the layer, so that the painter
    // never sees coordinates far beyond the surface.
    QPolygonF ToLayer(std::span<const PointF> points, double offset, double margin) const;

    QRect area_;
    QImage layer_;
};

}  // namespace platform
