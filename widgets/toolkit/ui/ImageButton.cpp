#include "ImageButton.h"

#include "WidgetCanvas.h"

#include <QMouseEvent>
#include <QPainter>

namespace {

constexpr platform::ColorRef kDarkFrame = platform::Rgb(0x33, 0x33, 0x33);
constexpr platform::ColorRef kBlack = platform::Rgb(0, 0, 0);
constexpr platform::ColorRef kDottedFrame = platform::Rgb(0xC0, 0xC0, 0xC0);
constexpr platform::ColorRef kLightText = platform::Rgb(0xFA, 0xFA, 0xFA);
constexpr platform::ColorRef kGreyText = platform::Rgb(0x80, 0x80, 0x80);
constexpr platform::ColorRef kSunkenLight = platform::Rgb(0xF0, 0xF0, 0xF0);

void RaisedEdge(platform::DeviceContext& dc, const QRect& rect, const QPalette& palette) {
    ui::Draw3dRect(dc, rect, ui::ToColorRef(palette.color(QPalette::Light)), ui::ToColorRef(palette.color(QPalette::Shadow)));
    ui::Draw3dRect(dc, rect.adjusted(1, 1, -1, -1), ui::ToColorRef(palette.color(QPalette::Midlight)),
                   ui::ToColorRef(palette.color(QPalette::Dark)));
}

void SunkenEdge(platform::DeviceContext& dc, const QRect& rect, const QPalette& palette) {
    ui::Draw3dRect(dc, rect, ui::ToColorRef(palette.color(QPalette::Dark)), ui::ToColorRef(palette.color(QPalette::Light)));
    ui::Draw3dRect(dc, rect.adjusted(1, 1, -1, -1), ui::ToColorRef(palette.color(QPalette::Shadow)),
                   ui::ToColorRef(palette.color(QPalette::Midlight)));
}

}  // namespace

CImageButton::CImageButton(QWidget* parent) : QPushButton(parent) {}

QImage CImageButton::Render() const {
    QImage transparent(size(), QImage::Format_ARGB32);
    transparent.fill(Qt::transparent);
    if (images_ == nullptr) return transparent;
    const QPalette& colours = palette();
    platform::DeviceContext dc = ui::MakeCanvas(size());
    dc.FillSolidRect(ui::ToRect(rect()), ui::ToColorRef(colours.color(QPalette::Button)));
    const QImage image = index_ >= 0 && index_ < static_cast<int>(images_->size()) ? (*images_)[static_cast<std::size_t>(index_)] : QImage();
    const bool selectedOrFocused = isDown() || hasFocus();
    if (selectedOrFocused) {
        RaisedEdge(dc, rect(), colours);
        ui::Draw3dRect(dc, rect(), kDarkFrame, kBlack);
    } else {
        RaisedEdge(dc, rect(), colours);
    }
    if (pressed_) {
        SunkenEdge(dc, rect(), colours);
        ui::Draw3dRect(dc, rect(), kDarkFrame, kBlack);
    }
    QImage picture = ui::CanvasImage(dc);
    QPainter painter(&picture);
    if (!selectedOrFocused) {
        painter.setPen(QPen(ui::ToQColor(kDottedFrame), 0, Qt::DotLine));
        painter.drawRect(rect().adjusted(1, 1, -2, -2));
    }
    const int imageLeft = (width() - image.width()) / 2;
    if (!image.isNull()) painter.drawImage(imageLeft, (height() - image.height()) / 2, image);
    painter.setPen(colours.color(QPalette::ButtonText));
    painter.drawText(rect().adjusted(imageLeft + image.width() + 2, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text());
    return picture;
}

void CImageButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, Render());
}

void CImageButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) pressed_ = true;
    QPushButton::mousePressEvent(event);
}

void CImageButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) pressed_ = false;
    QPushButton::mouseReleaseEvent(event);
}

void CImageButton::mouseMoveEvent(QMouseEvent* event) {
    if (!rect().contains(event->position().toPoint())) pressed_ = false;
    QPushButton::mouseMoveEvent(event);
}

CColorButton::CColorButton(QWidget* parent) : QPushButton(parent), color_(ui::ToColorRef(palette().color(QPalette::Button))) {
    connect(this, &QPushButton::clicked, this, [this] {
        toggled_ = !toggled_;
        update();
    });
}

void CColorButton::SetColor(platform::ColorRef color) {
    color_ = color;
    update();
}

QImage CColorButton::Render() const {
    const QPalette& colours = palette();
    const QRect area = hasFocus() ? rect().adjusted(1, 1, -1, -1) : rect();
    const bool lit = isEnabled() && (hot_ || isDown());
    platform::ColorRef frame = lit ? ui::ToColorRef(colours.color(QPalette::Highlight)) : ui::ToColorRef(colours.color(QPalette::Dark));
    platform::ColorRef textColor = lit ? kLightText : kGreyText;
    if (!isEnabled()) textColor = ui::ToColorRef(colours.color(QPalette::ButtonText));
    if (toggled_) {
        frame = kBlack;
        textColor = kLightText;
    }
    platform::DeviceContext dc = ui::MakeCanvas(size());
    dc.FillSolidRect(ui::ToRect(rect()), ui::ToColorRef(colours.color(QPalette::Button)));
    dc.SelectObject(platform::Pen::Solid(1, frame));
    dc.SelectObject(platform::Brush::Solid(color_));
    dc.Rectangle(ui::ToRect(area));
    if (toggled_) {
        ui::Draw3dRect(dc, area, kGreyText, kGreyText);
        ui::Draw3dRect(dc, area.adjusted(1, 1, -1, -1), kBlack, kSunkenLight);
        ui::Draw3dRect(dc, area.adjusted(2, 2, -2, -2), kBlack, kSunkenLight);
    }
    QImage picture = ui::CanvasImage(dc);
    QPainter painter(&picture);
    painter.setPen(ui::ToQColor(textColor));
    painter.drawText(area, Qt::AlignCenter | Qt::TextSingleLine, text());
    return picture;
}

void CColorButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, Render());
}

void CColorButton::enterEvent(QEnterEvent* event) {
    hot_ = true;
    update();
    QPushButton::enterEvent(event);
}

void CColorButton::leaveEvent(QEvent* event) {
    // Qt keeps the mouse with the button while its left button is held, as the capture did.
    hot_ = false;
    update();
    QPushButton::leaveEvent(event);
}
