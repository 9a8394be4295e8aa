// Painting the progress gradient through an off-screen context, then the text over it.
#include "TextProgressCtrl.h"

#include "WidgetCanvas.h"

#include <QPainter>

namespace {

constexpr platform::ColorRef kEmptyFaceOutline = platform::Rgb(100, 100, 100);

void PaintEmptyFace(platform::DeviceContext& dc, QSize size, platform::ColorRef face) {
    dc.SelectObject(platform::Pen::Solid(1, kEmptyFaceOutline));
    dc.SelectObject(platform::Brush::Solid(face));
    dc.Rectangle(0, 0, size.width(), size.height());
}

}  // namespace

CTextProgressCtrl::CTextProgressCtrl(QWidget* parent) : QProgressBar(parent) {
    colors_.background = ui::ToColorRef(palette().color(QPalette::Button));
    QProgressBar::setRange(range_.lower, range_.upper);
    setTextVisible(false);
}

void CTextProgressCtrl::SetRange(std::int32_t lower, std::int32_t upper) {
    range_.lower = lower;
    range_.upper = upper;
    range_.position = lower;
    QProgressBar::setRange(std::min(lower, upper), std::max(lower, upper));
    QProgressBar::setValue(lower);
    update();
}

void CTextProgressCtrl::SetPos(std::int32_t position) {
    range_.position = position;
    QProgressBar::setValue(position);
    update();
}

void CTextProgressCtrl::SetBarColors(platform::ColorRef start, platform::ColorRef end) {
    colors_.start = start;
    colors_.end = end;
    update();
}

QString CTextProgressCtrl::PaintedText() const {
    const ProgressPicture picture = ComputeProgressPicture(range_, colors_, {width(), height()}, false);
    if (picture.empty || !showText_) return {};
    return QString::fromStdString(picture.text);
}

QImage CTextProgressCtrl::Render() const {
    const bool vertical = orientation() == Qt::Vertical;
    const ProgressPicture picture = ComputeProgressPicture(range_, colors_, {width(), height()}, vertical);
    platform::DeviceContext dc = ui::MakeCanvas(size());
    if (picture.empty) {
        PaintEmptyFace(dc, size(), colors_.background);
        return ui::CanvasImage(dc);
    }
    for (const ProgressBand& band : picture.bands) dc.FillSolidRect(band.bounds, band.color);
    if (picture.background != platform::Rect{}) dc.FillSolidRect(picture.background, colors_.background);
    QImage image = ui::CanvasImage(dc);
    if (showText_) {
        QPainter painter(&image);
        painter.setPen(ui::ToQColor(textColor_));
        painter.setFont(font());
        painter.drawText(image.rect(), Qt::AlignCenter | Qt::TextSingleLine, QString::fromStdString(picture.text));
    }
    return image;
}

void CTextProgressCtrl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, Render());
}
