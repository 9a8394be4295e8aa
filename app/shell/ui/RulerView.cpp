#include "RulerView.h"

#include <QPainter>

#include <cmath>

namespace {

constexpr int kMarkerWidth = 2;
constexpr int kHorizontalFontPixels = 12;
constexpr int kVerticalFontPixels = 10;
constexpr int kLabelGap = 2;

QFont LabelFont(int pixels) {
    QFont font(QStringLiteral("Times New Roman"));
    font.setStyleHint(QFont::Times);
    font.setWeight(QFont::Normal);
    font.setPixelSize(pixels);
    return font;
}

}  // namespace

CRulerView::CRulerView(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::ClickFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CRulerView::SetOrientation(int orientation) {
    orientation_ = orientation;
    ticksStale_ = true;
}

void CRulerView::SetMapping(int kind, const RulerMapping& mapping) {
    mapping_ = mapping;
    if (kind == kRulerMoveMarker) {
        markerPosition_ = IsHorizontal() ? mapping.cursorX : mapping.cursorY;
        markerShown_ = true;
        update();
        return;
    }
    ticksStale_ = true;
    const bool meantForThisRuler = (kind == kRulerRepaintHorizontal && IsHorizontal()) ||
                                   (kind == kRulerRepaintVertical && orientation_ == kRulerVertical);
    if (meantForThisRuler) {
        repaint();
    } else {
        update();
    }
}

void CRulerView::DrawTicks() {
    const int length = IsHorizontal() ? width() : height();
    const int thickness = IsHorizontal() ? height() : width();
    const double start = IsHorizontal() ? mapping_.originXMm : mapping_.originYMm;
    const double extent = IsHorizontal() ? mapping_.extentXMm : mapping_.extentYMm;
    const double pixelsPerMm = IsHorizontal() ? mapping_.pixelsPerMmX : mapping_.pixelsPerMmY;
    const double mmPerPixel = pixelsPerMm > 0.0 ? std::copysign(1.0 / pixelsPerMm, extent) : 0.0;
    ticks_ = LayOutRulerTicks(start, mmPerPixel, length, step_ ? step_() : 0.0);
    ++tickLayouts_;

    tickImage_ = QImage(size(), QImage::Format_RGB32);
    tickImage_.fill(Qt::white);
    QPainter painter(&tickImage_);
    painter.setFont(LabelFont(IsHorizontal() ? kHorizontalFontPixels : kVerticalFontPixels));
    painter.setPen(Qt::black);
    for (const RulerTick& tick : ticks_) {
        // Ticks hang from the inner edge, the one beside the view; labels sit at the outer edge.
        const int reach = RulerTickReach(tick.kind, thickness);
        if (IsHorizontal()) {
            painter.fillRect(tick.pixel, thickness - reach, 1, reach, Qt::black);
        } else {
            painter.fillRect(thickness - reach, tick.pixel, reach, 1, Qt::black);
        }
        if (tick.label.empty()) {
            continue;
        }
        painter.save();
        if (IsHorizontal()) {
            painter.translate(tick.pixel + kLabelGap, 0);
        } else {
            // Turned to read upwards from the tick.
            painter.translate(0, tick.pixel - kLabelGap);
            painter.rotate(-90);
        }
        painter.drawText(QRect(0, 0, length, thickness), Qt::AlignLeft | Qt::AlignTop,
                         QString::fromStdString(tick.label));
        painter.restore();
    }
    ticksStale_ = false;
}

void CRulerView::paintEvent(QPaintEvent*) {
    if (ticksStale_ || tickImage_.size() != size()) {
        DrawTicks();
    }
    QPainter painter(this);
    painter.drawImage(0, 0, tickImage_);
    if (!markerShown_) {
        return;
    }
    const QRect marker = IsHorizontal() ? QRect(markerPosition_, 0, kMarkerWidth, height())
                                        : QRect(0, markerPosition_, width(), kMarkerWidth);
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.fillRect(marker, Qt::white);
}

CRulerCornerView::CRulerCornerView(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::ClickFocus);
}
