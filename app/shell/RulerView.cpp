#include "RulerView.h"

#include <QPainter>

CRulerView::CRulerView(QWidget* parent) : QWidget(parent) { setFocusPolicy(Qt::ClickFocus); }

void CRulerView::SetMapping(int kind, const RulerMapping& mapping) {
    mapping_ = mapping;
    if (kind == kRulerMoveMarker) {
        markerPosition_ = orientation_ == kRulerHorizontal ? mapping.cursorX : mapping.cursorY;
        update();
        return;
    }
    const bool meantForThisRuler = (kind == kRulerRepaintHorizontal && orientation_ == kRulerHorizontal) ||
                                   (kind == kRulerRepaintVertical && orientation_ == kRulerVertical);
    if (meantForThisRuler) {
        repaint();
    } else {
        update();
    }
}

void CRulerView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
}

CRulerCornerView::CRulerCornerView(QWidget* parent) : QWidget(parent) { setFocusPolicy(Qt::ClickFocus); }
