// Controls that are drawn pixel by pixel paint through a device context on a QImage surface and show
// the picture in their paint event; these helpers make that surface and convert colours.
#pragma once

#include "DeviceContext.h"

#include <QColor>
#include <QImage>
#include <QSize>

namespace ui {

platform::DeviceContext MakeCanvas(QSize size);
// The picture of a context made by MakeCanvas (an empty image for any other kind of surface).
QImage CanvasImage(const platform::DeviceContext& canvas);

QColor ToQColor(platform::ColorRef color);
platform::ColorRef ToColorRef(const QColor& color);
platform::Rect ToRect(const QRect& rect);

// A one-pixel frame inside the rectangle: top and left lines in one colour, bottom and right in the
// other (raised: light then shadow; sunken: the other way round).
void Draw3dRect(platform::DeviceContext& dc, const QRect& rect, platform::ColorRef topLeft,
                platform::ColorRef bottomRight);

}  // namespace ui
