// The backend that draws into a QImage (32-bit RGB): the pixels of the canvas's memory bitmap and of
// every off-screen picture. Thin lines are stepped pixel by pixel so that Xor, NotXor and Not mix each
// pixel exactly once; fills, wide pens and curves' insides are rendered into a coverage layer that is
// then mixed into the image with the raster operation.
#pragma once

#include "Flatten.h"
#include "GdiBackend.h"

#include <QImage>

#include <functional>

namespace platform {

class CoverageLayer;

class QImageBackend : public GdiBackend {
  public:
    // A black surface of `size` pixels.
    explicit QImageBackend(Size size);
    // A surface holding a copy of `image`, converted to 32-bit RGB.
    explicit QImageBackend(const QImage& image);

    const QImage& Image() const { return image_; }

    Size SurfaceSize() const override;
    std::unique_ptr<GdiBackend> CreateCompatible(Size size) const override;

    void MoveTo(Point) override {}
    void LineTo(Point from, Point to, const DrawState& state) override;
    void Polyline(std::span<const Point> points, const DrawState& state) override;
    void PolyBezier(std::span<const Point> points, const DrawState& state) override;
    void Rectangle(const Rect& bounds, const DrawState& state) override;
    void Ellipse(const Rect& bounds, const DrawState& state) override;
    void Arc(const ArcSpec& arc, const DrawState& state) override;
    void Polygon(std::span<const Point> points, const DrawState& state) override;
    void TextOut(Point topLeft, std::string_view text, const TextState& state) override;
    void FillRect(const Rect& bounds, ColorRef color) override;
    bool BitBlt(const Rect& destination, const GdiBackend& source, Point sourceOrigin, BlitOp op) override;
    int StretchDib(const Rect& destination, const PictureRect& source, const DibView& dib,
                   BlitOp op) override;
    ColorRef GetPixel(Point at) const override;

  private:
    // Paints a shape's inside into its coverage layer in the given colour.
    using ShapeFill = std::function<void(CoverageLayer&, QRgb)>;

    Rect SurfaceRect() const;
    // One-pixel chain: mixed straight into the image, or plotted into `layer` when one is given.
    void StrokeThin(std::span<const Point> chain, bool closed, const DrawState& state, CoverageLayer* layer);
    void StrokeOpen(std::span<const PointF> chain, const DrawState& state);
    // Fill (when the brush is not null) and closed outline (when the pen is not null), mixed once.
    void DrawShape(std::span<const PointF> outline, const ShapeFill& fill, const DrawState& state);

    QImage image_;
};

}  // namespace platform
