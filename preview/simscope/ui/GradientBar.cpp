// Gradient bar painting.
#include "GradientBar.h"

#include <QPainter>

#include "GradientBands.h"

namespace {

QColor ToQColor(platform::ColorRef color) {
    return QColor(platform::RedOf(color), platform::GreenOf(color), platform::BlueOf(color));
}

}  // namespace

CGradientBar::CGradientBar(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CGradientBar::SetColors(platform::ColorRef start, platform::ColorRef end) {
    start_ = start;
    end_ = end;
    update();
}

void CGradientBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // Each band covers the full height and one pixel more, as the bar has always been drawn.
    for (const simscope::GradientBand& band : simscope::GradientBandsOf(start_, end_, width())) {
        painter.fillRect(QRect(band.left, 0, band.right - band.left, height() + 1), ToQColor(band.color));
    }
}
