// The device context through which all drawing goes: the mapping from logical units to device pixels,
// the selected pen, brush, font and raster operation, the current position, and the drawing calls, which
// take logical coordinates and reach the backend in device pixels.
//
// Objects are values: selecting a pen copies it into the context and returns the previous one, which the
// caller selects back when done. Nothing needs deleting.
#pragma once

#include "GdiBackend.h"
#include "GdiTypes.h"
#include "Mapping.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

namespace platform {

class DeviceContext {
  public:
    // A context drawing on `backend` (never null), mapping mode Text, black one-pixel solid pen, white
    // brush, raster operation CopyPen, black text on an opaque white background, position (0, 0).
    explicit DeviceContext(std::unique_ptr<GdiBackend> backend);
    DeviceContext(DeviceContext&&) noexcept;
    DeviceContext& operator=(DeviceContext&&) noexcept;
    DeviceContext(const DeviceContext&) = delete;
    DeviceContext& operator=(const DeviceContext&) = delete;
    ~DeviceContext();

    // A memory context with a compatible bitmap of `size` pixels (black), on a surface of the same kind,
    // with its own default state.
    DeviceContext CreateCompatibleDC(Size size) const;
    Size SurfaceSize() const;
    GdiBackend& Backend() { return *backend_; }
    const GdiBackend& Backend() const { return *backend_; }

    // Mapping (see Mapping.h); setters return the previous value.
    MapMode SetMapMode(MapMode mode) { return mapping_.SetMapMode(mode); }
    MapMode GetMapMode() const { return mapping_.Mode(); }
    Point SetWindowOrg(std::int32_t x, std::int32_t y) { return mapping_.SetWindowOrg({x, y}); }
    Point SetViewportOrg(std::int32_t x, std::int32_t y) { return mapping_.SetViewportOrg({x, y}); }
    Size SetWindowExt(std::int32_t width, std::int32_t height) {
        return mapping_.SetWindowExt({width, height});
    }
    Size SetViewportExt(std::int32_t width, std::int32_t height) {
        return mapping_.SetViewportExt({width, height});
    }
    const Mapping& GetMapping() const { return mapping_; }

    Point LPtoDP(Point logical) const { return mapping_.LPtoDP(logical); }
    Rect LPtoDP(const Rect& logical) const;
    void LPtoDP(std::span<Point> points) const;
    Point DPtoLP(Point device) const { return mapping_.DPtoLP(device); }
    Rect DPtoLP(const Rect& device) const;
    void DPtoLP(std::span<Point> points) const;

    // Selection; each returns what was selected before.
    Pen SelectObject(const Pen& pen);
    Brush SelectObject(const Brush& brush);
    Font SelectObject(const Font& font);
    const Pen& CurrentPen() const { return pen_; }
    const Brush& CurrentBrush() const { return brush_; }
    const Font& CurrentFont() const { return font_; }
    RasterOp SetROP2(RasterOp rop);
    RasterOp GetROP2() const { return rop_; }
    ColorRef SetTextColor(ColorRef color);
    ColorRef SetBkColor(ColorRef color);
    BackgroundMode SetBkMode(BackgroundMode mode);

    // Lines. MoveTo returns the previous position; LineTo draws from the current position to the point
    // (leaving out the last pixel of a thin pen) and makes the point current.
    Point MoveTo(Point to);
    Point MoveTo(std::int32_t x, std::int32_t y) { return MoveTo(Point{x, y}); }
    void LineTo(Point to);
    void LineTo(std::int32_t x, std::int32_t y) { LineTo(Point{x, y}); }
    Point GetCurrentPosition() const { return currentPosition_; }
    // Fewer than two points draw nothing. Neither uses nor moves the current position.
    void Polyline(std::span<const Point> points);
    // Cubic Bezier pieces through 3n + 1 points; false (nothing drawn) for any other count.
    bool PolyBezier(std::span<const Point> points);

    // Filled shapes: the brush fills, the pen outlines. The rectangle is normalised first.
    void Rectangle(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom);
    void Rectangle(const Rect& bounds) { Rectangle(bounds.left, bounds.top, bounds.right, bounds.bottom); }
    void Ellipse(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom);
    void Ellipse(const Rect& bounds) { Ellipse(bounds.left, bounds.top, bounds.right, bounds.bottom); }
    // Fewer than two points draw nothing.
    void Polygon(std::span<const Point> points);

    // The part of the ellipse in `bounds` from the ray through `radialStart` to the ray through
    // `radialEnd`, counterclockwise as seen on the screen (which is counterclockwise in logical units
    // when the mapping makes y grow upward). Equal rays draw the whole ellipse.
    void Arc(const Rect& bounds, Point radialStart, Point radialEnd);
    // A line from the current position to the point at `startDegrees` on the circle, then the arc of
    // `sweepDegrees` (positive counterclockwise on the screen); the arc's end becomes current. The radius
    // is in logical units along x. A sweep beyond a full turn draws the full circle;
    // angles that are not finite draw nothing.
    void AngleArc(Point centre, std::int32_t radius, float startDegrees, float sweepDegrees);

    // Text in the selected font and text colour with its cell's top-left corner at the point.
    void TextOut(std::int32_t x, std::int32_t y, std::string_view text);

    // Paints the rectangle (normalised) in one colour, whatever the pen, brush and raster operation.
    void FillSolidRect(const Rect& bounds, ColorRef color);
    // As FillSolidRect with the brush's colour; a null brush paints nothing.
    void FillRect(const Rect& bounds, const Brush& brush);

    // Copies width x height pixels from `source` at (xSource, ySource) to (x, y); all in logical units of
    // their own contexts. False when the contexts are of different kinds or the operation is unknown.
    bool BitBlt(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                const DeviceContext& source, std::int32_t xSource, std::int32_t ySource,
                BlitOp op = BlitOp::SrcCopy);

    // Bitmap output: stretches a source rectangle of a packed bitmap (DibLayout.h) onto the destination
    // rectangle. The destination is in logical units. The source is in the bitmap's own coordinates,
    // whose origin is the lower-left corner: (xSource, ySource) is the source's lower-left corner and
    // the rectangle reaches up by heightSource. Negative sizes mirror, as a destination of opposite
    // orientation does. Returns the number of source rows drawn; 0 when the bytes are not a valid
    // uncompressed bitmap, a size is 0, or the operation is unknown.
    int StretchDIBits(std::int32_t xDest, std::int32_t yDest, std::int32_t widthDest, std::int32_t heightDest,
                      std::int32_t xSource, std::int32_t ySource, std::int32_t widthSource,
                      std::int32_t heightSource, std::span<const std::uint8_t> packedDib,
                      BlitOp op = BlitOp::SrcCopy);

    // The colour of the pixel at a logical point; kInvalidColor outside the surface.
    ColorRef GetPixel(Point logical) const;

  private:
    DrawState CurrentDrawState() const;
    TextState CurrentTextState() const;

    std::unique_ptr<GdiBackend> backend_;
    Mapping mapping_;
    Pen pen_;
    Brush brush_;
    Font font_;
    RasterOp rop_ = RasterOp::CopyPen;
    ColorRef textColor_ = 0;
    ColorRef backgroundColor_ = Rgb(255, 255, 255);
    BackgroundMode backgroundMode_ = BackgroundMode::Opaque;
    Point currentPosition_;
};

}  // namespace platform
