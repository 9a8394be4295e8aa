// Drawing into a QImage with exact raster operations.
#include "QImageBackend.h"

#include "CoverageLayer.h"
#include "DibView.h"
#include "Flatten.h"
#include "PixelMix.h"
#include "ThinLine.h"

#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <vector>

namespace platform {
namespace {

// Bounds that keep text output within what Qt's integer rectangles hold.
constexpr int kMaxFontPixels = 16384;
constexpr int kTextReachPixels = 1 << 24;

std::vector<PointF> ToPointsF(std::span<const Point> points) {
    std::vector<PointF> converted;
    converted.reserve(points.size());
    for (const Point& point : points) {
        converted.push_back({static_cast<double>(point.x), static_cast<double>(point.y)});
    }
    return converted;
}

// The part of a normalised rectangle on the surface (right and bottom outside). Computed here rather
// than with QRect, whose width arithmetic wraps for rectangles wider than the 32-bit range.
QRect VisiblePart(const Rect& rect, const QImage& surface) {
    const int left = std::max(rect.left, 0);
    const int top = std::max(rect.top, 0);
    const int right = std::min(rect.right, surface.width());
    const int bottom = std::min(rect.bottom, surface.height());
    if (left >= right || top >= bottom) {
        return {};
    }
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

// The pixels that the points, with `margin` around them, may touch, cut to the surface; empty when
// they lie wholly outside it.
QRect AreaAround(std::span<const PointF> points, double margin, const QRect& surface) {
    if (points.empty()) {
        return {};
    }
    double left = points[0].x;
    double right = points[0].x;
    double top = points[0].y;
    double bottom = points[0].y;
    for (const PointF& point : points) {
        left = std::min(left, point.x);
        right = std::max(right, point.x);
        top = std::min(top, point.y);
        bottom = std::max(bottom, point.y);
    }
    const auto clampTo = [](double value, int low, int high) {
        return static_cast<int>(std::clamp(value, static_cast<double>(low), static_cast<double>(high)));
    };
    if (right + margin < surface.left() || left - margin > surface.right() ||
        bottom + margin < surface.top() || top - margin > surface.bottom()) {
        return {};
    }
    return QRect(QPoint(clampTo(std::floor(left - margin), surface.left(), surface.right()),
                        clampTo(std::floor(top - margin), surface.top(), surface.bottom())),
                 QPoint(clampTo(std::ceil(right + margin), surface.left(), surface.right()),
                        clampTo(std::ceil(bottom + margin), surface.top(), surface.bottom())));
}

bool HasPen(const DrawState& state) {
    return state.pen.style != PenStyle::Null;
}

bool HasBrush(const DrawState& state) {
    return state.brush.style != BrushStyle::Null;
}

// The outline of the ellipse inscribed in `bounds` through pixel centres, closed (last point = first).
std::vector<PointF> EllipseOutline(const Rect& bounds, double startDegrees, double sweepDegrees) {
    const double centreX = (static_cast<double>(bounds.left) + bounds.right - 1) / 2.0;
    const double centreY = (static_cast<double>(bounds.top) + bounds.bottom - 1) / 2.0;
    const double radiusX = std::max(0.0, (static_cast<double>(bounds.right) - bounds.left - 1) / 2.0);
    const double radiusY = std::max(0.0, (static_cast<double>(bounds.bottom) - bounds.top - 1) / 2.0);
    return FlattenEllipseArc(centreX, centreY, radiusX, radiusY, startDegrees, sweepDegrees);
}

// The inside of the same ellipse as an area: pixel p spans p..p+1, so the area spans the whole bounds.
std::vector<PointF> EllipseArea(const Rect& bounds) {
    const double centreX = (static_cast<double>(bounds.left) + bounds.right) / 2.0;
    const double centreY = (static_cast<double>(bounds.top) + bounds.bottom) / 2.0;
    const double radiusX = (static_cast<double>(bounds.right) - bounds.left) / 2.0;
    const double radiusY = (static_cast<double>(bounds.bottom) - bounds.top) / 2.0;
    return FlattenEllipseArc(centreX, centreY, radiusX, radiusY, 0.0, 360.0);
}

// Source pixel index for each destination pixel along one axis of a stretch, or -1 where the
// destination pixel maps outside the source rectangle or the picture.
std::vector<int> StretchMap(int visibleFirst, int visibleLast, double destinationStart, double destinationEnd,
                            double sourceStart, double sourceExtent, int pictureSize) {
    std::vector<int> map;
    if (visibleLast < visibleFirst) {
        return map;
    }
    map.reserve(static_cast<std::size_t>(visibleLast - visibleFirst + 1));
    const double sourceLow = std::min(sourceStart, sourceStart + sourceExtent);
    const double sourceHigh = std::max(sourceStart, sourceStart + sourceExtent);
    for (int destination = visibleFirst; destination <= visibleLast; ++destination) {
        const double fraction = (destination + 0.5 - destinationStart) / (destinationEnd - destinationStart);
        const double source = std::floor(sourceStart + fraction * sourceExtent);
        const bool inside = source >= sourceLow && source < sourceHigh && source >= 0 && source < pictureSize;
        map.push_back(inside ? static_cast<int>(source) : -1);
    }
    return map;
}

// Steps the lines of a chain one after another, so that the dash pattern runs on along it.
template <typename Plot>
void StepChain(ThinLineStepper& stepper, std::span<const Point> chain, bool closed, Plot&& plot) {
    for (std::size_t index = 0; index + 1 < chain.size(); ++index) {
        stepper.Step(chain[index], chain[index + 1], plot);
    }
    if (closed && chain.size() > 1) {
        stepper.Step(chain.back(), chain.front(), plot);
    }
}

}  // namespace

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

Rect QImageBackend::SurfaceRect() const {
    return {0, 0, image_.width(), image_.height()};
}

void QImageBackend::StrokeThin(std::span<const Point> chain, bool closed, const DrawState& state,
                               CoverageLayer* layer) {
    ThinLineStepper stepper(state.pen.style, SurfaceRect());
    const QRgb color = ToQRgb(state.pen.color);
    if (layer != nullptr) {
        StepChain(stepper, chain, closed, [&](std::int32_t x, std::int32_t y) { layer->Plot(x, y, color); });
        return;
    }
    // The stepper plots only pixels on the surface, so the rows are found from the first one directly.
    uchar* const firstRow = image_.bits();
    const qsizetype bytesPerRow = image_.bytesPerLine();
    const RasterOp rop = state.rop;
    StepChain(stepper, chain, closed, [&](std::int32_t x, std::int32_t y) {
        QRgb* pixel = reinterpret_cast<QRgb*>(firstRow + y * bytesPerRow) + x;
        *pixel = MixPixel(*pixel, color, rop);
    });
}

void QImageBackend::StrokeOpen(std::span<const PointF> chain, const DrawState& state) {
    if (!HasPen(state) || chain.size() < 2) {
        return;
    }
    if (state.pen.width <= 1) {
        std::vector<Point> pixels;
        pixels.reserve(chain.size());
        for (const PointF& point : chain) {
            pixels.push_back(RoundToPixel(point));
        }
        StrokeThin(pixels, false, state, nullptr);
        return;
    }
    const QRect area = AreaAround(chain, state.pen.width + 2.0, image_.rect());
    if (area.isEmpty()) {
        return;
    }
    CoverageLayer layer(area);
    layer.Stroke(chain, false, state.pen.width, ToQRgb(state.pen.color));
    layer.MixInto(image_, state.rop);
}

void QImageBackend::DrawShape(std::span<const PointF> outline, const ShapeFill& fill,
                              const DrawState& state) {
    const bool outlined = HasPen(state) && !outline.empty();
    if (!outlined && !HasBrush(state)) {
        return;
    }
    const QRect area = AreaAround(outline, state.pen.width + 2.0, image_.rect());
    if (area.isEmpty()) {
        return;
    }
    CoverageLayer layer(area);
    if (HasBrush(state)) {
        fill(layer, ToQRgb(state.brush.color));
    }
    if (outlined && state.pen.width <= 1) {
        std::vector<Point> pixels;
        pixels.reserve(outline.size());
        for (const PointF& point : outline) {
            pixels.push_back(RoundToPixel(point));
        }
        StrokeThin(pixels, true, state, &layer);
    } else if (outlined) {
        layer.Stroke(outline, true, state.pen.width, ToQRgb(state.pen.color));
    }
    layer.MixInto(image_, state.rop);
}

void QImageBackend::LineTo(Point from, Point to, const DrawState& state) {
    const Point chain[] = {from, to};
    StrokeOpen(ToPointsF(chain), state);
}

void QImageBackend::Polyline(std::span<const Point> points, const DrawState& state) {
    StrokeOpen(ToPointsF(points), state);
}

void QImageBackend::PolyBezier(std::span<const Point> points, const DrawState& state) {
    StrokeOpen(FlattenBeziers(points), state);
}

void QImageBackend::Arc(const ArcSpec& arc, const DrawState& state) {
    StrokeOpen(EllipseOutline(arc.bounds, arc.startDegrees, arc.sweepDegrees), state);
}

void QImageBackend::Rectangle(const Rect& bounds, const DrawState& state) {
    if (bounds.right <= bounds.left || bounds.bottom <= bounds.top) {
        return;
    }
    const double right = bounds.right - 1.0;
    const double bottom = bounds.bottom - 1.0;
    const std::vector<PointF> outline{{double(bounds.left), double(bounds.top)},
                                      {right, double(bounds.top)},
                                      {right, bottom},
                                      {double(bounds.left), bottom}};
    // Without a pen the fill ends one pixel short on the right and bottom, where the outline would be.
    const Rect filled =
        HasPen(state) ? bounds : Rect{bounds.left, bounds.top, bounds.right - 1, bounds.bottom - 1};
    const QRect visibleFill = VisiblePart(filled, image_);
    DrawShape(
        outline, [&visibleFill](CoverageLayer& layer, QRgb color) { layer.FillRect(visibleFill, color); },
        state);
}

void QImageBackend::Ellipse(const Rect& bounds, const DrawState& state) {
    if (bounds.right <= bounds.left || bounds.bottom <= bounds.top) {
        return;
    }
    const std::vector<PointF> area = EllipseArea(bounds);
    DrawShape(
        EllipseOutline(bounds, 0.0, 360.0),
        [&area](CoverageLayer& layer, QRgb color) { layer.FillPolygon(area, color); }, state);
}

void QImageBackend::Polygon(std::span<const Point> points, const DrawState& state) {
    const std::vector<PointF> vertices = ToPointsF(points);
    DrawShape(
        vertices, [&vertices](CoverageLayer& layer, QRgb color) { layer.FillPolygon(vertices, color); },
        state);
}

void QImageBackend::TextOut(Point topLeft, std::string_view text, const TextState& state) {
    // Fonts exist only once the application has started its GUI; without it no text can be drawn.
    if (QGuiApplication::instance() == nullptr || text.empty()) {
        return;
    }
    // Text runs right and down from its corner; a corner beyond the surface's right or bottom edge, or so
    // far left or up that no text could reach back, shows nothing and would overflow Qt's rectangles.
    if (topLeft.x >= image_.width() || topLeft.y >= image_.height() || topLeft.x < -kTextReachPixels ||
        topLeft.y < -kTextReachPixels) {
        return;
    }
    QFont font(QString::fromStdString(state.font.family));
    font.setPixelSize(std::clamp(state.font.pixelHeight, 1, kMaxFontPixels));
    const QString content = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    const QFontMetrics metrics(font);
    QPainter painter(&image_);
    if (state.backgroundMode == BackgroundMode::Opaque) {
        painter.fillRect(QRect(topLeft.x, topLeft.y, metrics.horizontalAdvance(content), metrics.height()),
                         QColor::fromRgb(ToQRgb(state.backgroundColor)));
    }
    painter.setFont(font);
    painter.setPen(QColor::fromRgb(ToQRgb(state.textColor)));
    painter.drawText(QPoint(topLeft.x, topLeft.y + metrics.ascent()), content);
}

void QImageBackend::FillRect(const Rect& bounds, ColorRef color) {
    const QRect visible = VisiblePart(bounds, image_);
    const QRgb pixel = ToQRgb(color);
    for (int y = visible.top(); y <= visible.bottom(); ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(image_.scanLine(y));
        std::fill(row + visible.left(), row + visible.right() + 1, pixel);
    }
}

bool QImageBackend::BitBlt(const Rect& destination, const GdiBackend& source, Point sourceOrigin, BlitOp) {
    const auto* pixelSource = dynamic_cast<const QImageBackend*>(&source);
    if (pixelSource == nullptr) {
        return false;
    }
    // Copying within one image reads from a snapshot, so overlapping parts are not read after writing.
    const QImage snapshot = pixelSource == this ? image_.copy() : QImage();
    const QImage& from = pixelSource == this ? snapshot : pixelSource->image_;
    // Source pixel = destination pixel + shift, in 64 bits since either side may lie far off its surface.
    const std::int64_t shiftX = std::int64_t{sourceOrigin.x} - destination.left;
    const std::int64_t shiftY = std::int64_t{sourceOrigin.y} - destination.top;
    const std::int64_t left = std::max({std::int64_t{destination.left}, std::int64_t{0}, -shiftX});
    const std::int64_t top = std::max({std::int64_t{destination.top}, std::int64_t{0}, -shiftY});
    const std::int64_t right =
        std::min({std::int64_t{destination.right}, std::int64_t{image_.width()}, from.width() - shiftX});
    const std::int64_t bottom =
        std::min({std::int64_t{destination.bottom}, std::int64_t{image_.height()}, from.height() - shiftY});
    for (std::int64_t y = top; y < bottom; ++y) {
        const QRgb* sourceRow =
            reinterpret_cast<const QRgb*>(from.constScanLine(static_cast<int>(y + shiftY)));
        QRgb* destinationRow = reinterpret_cast<QRgb*>(image_.scanLine(static_cast<int>(y)));
        std::copy(sourceRow + left + shiftX, sourceRow + right + shiftX, destinationRow + left);
    }
    return true;
}

int QImageBackend::StretchDib(const Rect& destination, const PictureRect& source, const DibView& dib,
                              BlitOp) {
    if (!dib.Layout().IsUncompressed() || destination.left == destination.right ||
        destination.top == destination.bottom || source.width == 0 || source.height == 0) {
        return 0;
    }
    const QRect visible = VisiblePart(destination.Normalized(), image_);
    const std::vector<int> columns = StretchMap(visible.left(), visible.right(), destination.left,
                                                destination.right, source.x, source.width, dib.Width());
    const std::vector<int> rows = StretchMap(visible.top(), visible.bottom(), destination.top,
                                             destination.bottom, source.y, source.height, dib.Height());
    for (std::size_t rowIndex = 0; rowIndex < rows.size(); ++rowIndex) {
        if (rows[rowIndex] < 0) {
            continue;
        }
        QRgb* destinationRow =
            reinterpret_cast<QRgb*>(image_.scanLine(visible.top() + static_cast<int>(rowIndex)));
        for (std::size_t columnIndex = 0; columnIndex < columns.size(); ++columnIndex) {
            if (columns[columnIndex] >= 0) {
                destinationRow[visible.left() + static_cast<int>(columnIndex)] =
                    kOpaque | dib.PixelRgb(columns[columnIndex], rows[rowIndex]);
            }
        }
    }
    return std::abs(source.height);
}

ColorRef QImageBackend::GetPixel(Point at) const {
    if (!image_.rect().contains(at.x, at.y)) {
        return kInvalidColor;
    }
    return ToColorRef(reinterpret_cast<const QRgb*>(image_.constScanLine(at.y))[at.x]);
}

}  // namespace platform
