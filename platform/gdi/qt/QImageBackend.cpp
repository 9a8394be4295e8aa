// Drawing into a QImage with exact raster operations.
#include "QImageBackend.h"

#include "DibView.h"

namespace platform {

QImageBackend::QImageBackend(Size size) : image_(size.width, size.height, QImage::Format_RGB32) {
    image_.fill(Qt::black);
}

QImageBackend::QImageBackend(const QImage& image) : image_(image.convertToFormat(QImage::Format_RGB32)) {}

Size QImageBackend::SurfaceSize() const {
    return {image_.width(), image_.height()};
}

std::unique_ptr<GdiBackend> QImageBackend::CreateCompatible(Size size) const {
    return std::make_unique<QImageBackend>(size);
}

void QImageBackend::LineTo(Point, Point, const DrawState&) {}
void QImageBackend::Polyline(std::span<const Point>, const DrawState&) {}
void QImageBackend::PolyBezier(std::span<const Point>, const DrawState&) {}
void QImageBackend::Rectangle(const Rect&, const DrawState&) {}
void QImageBackend::Ellipse(const Rect&, const DrawState&) {}
void QImageBackend::Arc(const ArcSpec&, const DrawState&) {}
void QImageBackend::Polygon(std::span<const Point>, const DrawState&) {}
void QImageBackend::TextOut(Point, std::string_view, const TextState&) {}
void QImageBackend::FillRect(const Rect&, ColorRef) {}
bool QImageBackend::BitBlt(const Rect&, const GdiBackend&, Point, BlitOp) {
    return false;
}
int QImageBackend::StretchDib(const Rect&, const PictureRect&, const DibView&, BlitOp) {
    return 0;
}
ColorRef QImageBackend::GetPixel(Point) const {
    return kInvalidColor;
}

}  // namespace platform
