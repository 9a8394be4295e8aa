// A backend that draws on another backend's surface without owning it: a client context on a window's
// picture. Memory contexts made from it are surfaces of the lender's kind, so pictures drawn off screen
// can be copied onto it.
#pragma once

#include "GdiBackend.h"

#include <functional>

namespace platform {

class BorrowedBackend final : public GdiBackend {
  public:
    // `onRelease` runs when the backend goes, that is when its context is released.
    explicit BorrowedBackend(GdiBackend& lender, std::function<void()> onRelease = {})
        : lender_(lender), onRelease_(std::move(onRelease)) {}
    BorrowedBackend(const BorrowedBackend&) = delete;
    BorrowedBackend& operator=(const BorrowedBackend&) = delete;
    ~BorrowedBackend() override;

    Size SurfaceSize() const override { return lender_.SurfaceSize(); }
    std::unique_ptr<GdiBackend> CreateCompatible(Size size) const override {
        return lender_.CreateCompatible(size);
    }
    void MoveTo(Point to) override { lender_.MoveTo(to); }
    void LineTo(Point from, Point to, const DrawState& state) override { lender_.LineTo(from, to, state); }
    void Polyline(std::span<const Point> points, const DrawState& state) override {
        lender_.Polyline(points, state);
    }
    void PolyBezier(std::span<const Point> points, const DrawState& state) override {
        lender_.PolyBezier(points, state);
    }
    void Rectangle(const Rect& bounds, const DrawState& state) override { lender_.Rectangle(bounds, state); }
    void Ellipse(const Rect& bounds, const DrawState& state) override { lender_.Ellipse(bounds, state); }
    void Arc(const ArcSpec& arc, const DrawState& state) override { lender_.Arc(arc, state); }
    void Polygon(std::span<const Point> points, const DrawState& state) override {
        lender_.Polygon(points, state);
    }
    void TextOut(Point topLeft, std::string_view text, const TextState& state) override {
        lender_.TextOut(topLeft, text, state);
    }
    void FillRect(const Rect& bounds, ColorRef color) override { lender_.FillRect(bounds, color); }
    bool BitBlt(const Rect& destination, const GdiBackend& source, Point sourceOrigin, BlitOp op) override;
    int StretchDib(const Rect& destination, const PictureRect& source, const DibView& dib,
                   BlitOp op) override {
        return lender_.StretchDib(destination, source, dib, op);
    }
    ColorRef GetPixel(Point at) const override { return lender_.GetPixel(at); }

  private:
    GdiBackend& lender_;
    std::function<void()> onRelease_;
};

}  // namespace platform
