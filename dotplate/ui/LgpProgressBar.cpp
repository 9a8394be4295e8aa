#include "LgpProgressBar.h"

#include <QPainter>

namespace dotplate::ui {

namespace {

constexpr QRgb kTextColour = 0xFFFFFFFF;
const QColor kEmptyFaceOutline(100, 100, 100);

QColor ToQColor(platform::ColorRef colour) {
    return QColor(platform::RedOf(colour), platform::GreenOf(colour), platform::BlueOf(colour));
}

QRect ToQRect(const platform::Rect& rect) {
    return QRect(QPoint(rect.left, rect.top), QPoint(rect.right - 1, rect.bottom - 1));
}

}  // namespace

CLgpProgressBar::CLgpProgressBar(QWidget* parent) : QProgressBar(parent) {
    const QColor face = palette().color(QPalette::Button);
    colors_.start = platform::Rgb(255, 0, 0);
    colors_.end = platform::Rgb(0, 0, 255);
    colors_.background =
        platform::Rgb(static_cast<std::uint8_t>(face.red()), static_cast<std::uint8_t>(face.green()),
                      static_cast<std::uint8_t>(face.blue()));
    setTextVisible(false);
    SetRange(0, 100);
}

void CLgpProgressBar::SetRange(std::int32_t lower, std::int32_t upper) {
    range_ = {lower, upper, lower};
    QProgressBar::setRange(std::min(lower, upper), std::max(lower, upper));
    QProgressBar::setValue(lower);
    update();
}

void CLgpProgressBar::SetPos(std::int32_t position) {
    range_.position = position;
    QProgressBar::setValue(std::clamp(position, minimum(), maximum()));
    update();
}

void CLgpProgressBar::SetBarColors(platform::ColorRef start, platform::ColorRef end) {
    colors_.start = start;
    colors_.end = end;
    update();
}

QString CLgpProgressBar::PaintedText() const {
    const ProgressPicture picture = ComputeProgressPicture(range_, colors_, {width(), height()}, false);
    return picture.empty ? QString() : QString::fromStdString(picture.text);
}

QImage CLgpProgressBar::Render() const {
    const bool vertical = orientation() == Qt::Vertical;
    const ProgressPicture picture = ComputeProgressPicture(range_, colors_, {width(), height()}, vertical);
    QImage image(size(), QImage::Format_RGB32);
    QPainter painter(&image);
    if (picture.empty) {
        image.fill(ToQColor(colors_.background));
        painter.setPen(kEmptyFaceOutline);
        painter.drawRect(image.rect().adjusted(0, 0, -1, -1));
        return image;
    }
    for (const ProgressBand& band : picture.bands) {
        painter.fillRect(ToQRect(band.bounds), ToQColor(band.color));
    }
    if (picture.background != platform::Rect{}) {
        painter.fillRect(ToQRect(picture.background), ToQColor(colors_.background));
    }
    painter.setPen(QColor::fromRgb(kTextColour));
    painter.drawText(image.rect(), Qt::AlignCenter | Qt::TextSingleLine,
                     QString::fromStdString(picture.text));
    return image;
}

void CLgpProgressBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, Render());
}

}  // namespace dotplate::ui
