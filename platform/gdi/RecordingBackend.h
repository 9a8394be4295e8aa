// A backend that draws nothing and writes every call down, in device pixels, with the state it was drawn
// with, so that tests can check what drawing code asked for.
#pragma once

#include "GdiBackend.h"

#include <string>
#include <vector>

namespace platform {

enum class GdiCallKind {
    MoveTo,
    LineTo,
    Polyline,
    PolyBezier,
    Rectangle,
    Ellipse,
    Arc,
    Polygon,
    TextOut,
    FillRect,
    BitBlt,
    StretchDib,
};

// One recorded call. Only the fields that the kind uses are filled:
// MoveTo: points = {to}; LineTo: points = {from, to}; Polyline, PolyBezier, Polygon: points;
// Rectangle, Ellipse, FillRect, BitBlt, StretchDib: rect (the destination); Arc: arc;
// TextOut: points = {topLeft}, text, textState; FillRect: color; BitBlt: points = {sourceOrigin};
// StretchDib: source.
struct GdiCall {
    GdiCallKind kind = GdiCallKind::MoveTo;
    std::vector<Point> points;
    Rect rect;
    ArcSpec arc;
    PictureRect source;
    std::string text;
    ColorRef color = 0;
    DrawState state;
    TextState textState;
};

class RecordingBackend : public GdiBackend {
  public:
    explicit RecordingBackend(Size surfaceSize) : surfaceSize_(surfaceSize) {}

    const std::vector<GdiCall>& Calls() const { return calls_; }
    void ClearCalls() { calls_.clear(); }

    Size SurfaceSize() const override { return surfaceSize_; }
    std::unique_ptr<GdiBackend> CreateCompatible(Size size) const override;

    void MoveTo(Point to) override;
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
    ColorRef GetPixel(Point) const override { return kInvalidColor; }

  private:
    GdiCall& Record(GdiCallKind kind);

    Size surfaceSize_;
    std::vector<GdiCall> calls_;
};

}  // namespace platform
