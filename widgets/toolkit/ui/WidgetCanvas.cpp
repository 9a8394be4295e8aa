#include "WidgetCanvas.h"

#include "QImageBackend.h"

#include <QRect>

#include <algorithm>

namespace ui {

platform::DeviceContext MakeCanvas(QSize size) {
    return platform::DeviceContext(
        std::make_unique<platform::QImageBackend>(platform::Size{std::max(0, size.width()), std::max(0, size.height())}));
}

QImage CanvasImage(const platform::DeviceContext& canvas) {
    const auto* backend = dynamic_cast<const platform::QImageBackend*>(&canvas.Backend());
    return backend == nullptr ? QImage() : backend->Image();
}

QColor ToQColor(platform::ColorRef color) {
    return QColor(platform::RedOf(color), platform::GreenOf(color), platform::BlueOf(color));
}

platform::ColorRef ToColorRef(const QColor& color) {
    return platform::Rgb(static_cast<std::uint8_t>(color.red()), static_cast<std::uint8_t>(color.green()),
                         static_cast<std::uint8_t>(color.blue()));
}

platform::Rect ToRect(const QRect& rect) { return {rect.left(), rect.top(), rect.right() + 1, rect.bottom() + 1}; }

void Draw3dRect(platform::DeviceContext& dc, const QRect& rect, platform::ColorRef topLeft,
                platform::ColorRef bottomRight) {
    const int left = rect.left();
    const int top = rect.top();
    const int right = rect.right() + 1;
    const int bottom = rect.bottom() + 1;
    dc.FillSolidRect({left, top, right - 1, top + 1}, topLeft);
    dc.FillSolidRect({left, top, left + 1, bottom - 1}, topLeft);
    dc.FillSolidRect({left, bottom - 1, right, bottom}, bottomRight);
    dc.FillSolidRect({right - 1, top, right, bottom}, bottomRight);
}

}  // namespace ui
