// The interface through which a device context puts its drawing on a surface. The context does the
// mapping and keeps the selected objects; a backend receives every call in device pixels with the pen,
// brush and raster operation already resolved, and draws it (QImageBackend) or writes it down
// (RecordingBackend).
#pragma once

#include "GdiTypes.h"

#include <memory>
#include <span>
#include <string_view>

namespace platform {

class DibView;

// The drawing state of one call. The pen's width is in device pixels (at least 1) and its style is
// Solid whenever the width is above 1.
struct DrawState {
    Pen pen;
    Brush brush;
    RasterOp rop = RasterOp::CopyPen;

    friend bool operator==(const DrawState&, const DrawState&) = default;
};

// What text output uses. Text is not mixed by the raster operation: it is always painted.
struct TextState {
    Font font;
    ColorRef textColor = 0;
    BackgroundMode backgroundMode = BackgroundMode::Opaque;
    ColorRef backgroundColor = Rgb(255, 255, 255);

    friend bool operator==(const TextState&, const TextState&) = default;
};

// An arc of the ellipse inscribed in `bounds`, in device space: angles in degrees from the +x axis,
// positive sweep counterclockwise as seen on the screen (y grows downward, so the point at angle a is
// centre + (rx cos a, -ry sin a)).
struct ArcSpec {
    Rect bounds;
    double startDegrees = 0.0;
    double sweepDegrees = 0.0;

    friend bool operator==(const ArcSpec&, const ArcSpec&) = default;
};

// A source rectangle of bitmap output in picture coordinates (column from the left, row from the top).
// Width and height may be negative; the output maps the source corner (x, y) to the destination corner
// (left, top) and (x + width, y + height) to (right, bottom), so opposite signs mirror the picture.
struct PictureRect {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;

    friend bool operator==(const PictureRect&, const PictureRect&) = default;
};

class GdiBackend {
  public:
    virtual ~GdiBackend() = default;

    // Pixels of the surface; a shape may reach beyond it and is clipped.
    virtual Size SurfaceSize() const = 0;
    // A new surface of the same kind and `size` pixels for a memory context, filled black.
    virtual std::unique_ptr<GdiBackend> CreateCompatible(Size size) const = 0;

    // Lines of a one-pixel pen leave out their last pixel, so that a chain of lines mixed with Xor or
    // NotXor touches every joint once.
    virtual void MoveTo(Point to) = 0;
    virtual void LineTo(Point from, Point to, const DrawState& state) = 0;
    virtual void Polyline(std::span<const Point> points, const DrawState& state) = 0;
    // 3n + 1 points: a start, then (control, control, end) per cubic piece.
    virtual void PolyBezier(std::span<const Point> points, const DrawState& state) = 0;
    // Shapes take normalised rectangles; filled with the brush and outlined with the pen.
    virtual void Rectangle(const Rect& bounds, const DrawState& state) = 0;
    virtual void Ellipse(const Rect& bounds, const DrawState& state) = 0;
    virtual void Arc(const ArcSpec& arc, const DrawState& state) = 0;
    // Closed; the inside is what the even-odd rule gives.
    virtual void Polygon(std::span<const Point> points, const DrawState& state) = 0;
    // `topLeft` is the top-left corner of the text's cell; text is UTF-8.
    virtual void TextOut(Point topLeft, std::string_view text, const TextState& state) = 0;
    // Paints a normalised rectangle in one colour, regardless of the raster operation.
    virtual void FillRect(const Rect& bounds, ColorRef color) = 0;
    // Copies the `source` pixels at `sourceOrigin` into `destination` (normalised). False when the
    // source is a surface of another kind.
    virtual bool BitBlt(const Rect& destination, const GdiBackend& source, Point sourceOrigin, BlitOp op) = 0;
    // Stretches the `source` part of an uncompressed bitmap onto `destination` (not normalised: its
    // orientation against the source's decides the mirroring), nearest pixel, rows and columns dropped or
    // repeated. Returns the number of source rows drawn, 0 when nothing was.
    virtual int StretchDib(const Rect& destination, const PictureRect& source, const DibView& dib,
                           BlitOp op) = 0;
    // The pixel's colour; kInvalidColor outside the surface or when the surface has no pixels.
    virtual ColorRef GetPixel(Point at) const = 0;
};

}  // namespace platform
