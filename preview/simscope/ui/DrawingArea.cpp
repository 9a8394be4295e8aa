// Drawing area events and painting.
#include "DrawingArea.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include "ViewMapping.h"

DrawingArea::DrawingArea(QWidget* parent) : QWidget(parent) {
    setObjectName("1000");
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void DrawingArea::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    if (handlers_.picture) {
        painter.drawImage(QPoint(simscope::kClipMargin, simscope::kClipMargin), handlers_.picture());
    }
}

void DrawingArea::resizeEvent(QResizeEvent*) {
    if (handlers_.resized) {
        handlers_.resized();
    }
}

void DrawingArea::wheelEvent(QWheelEvent* event) {
    if (handlers_.wheel) {
        handlers_.wheel(event->position().toPoint(), event->angleDelta().y());
    }
    event->accept();
}

void DrawingArea::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        dragging_ = true;
        lastDrag_ = event->position().toPoint();
    }
}

void DrawingArea::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        dragging_ = false;
    } else if (event->button() == Qt::RightButton && handlers_.rightClick) {
        handlers_.rightClick(event->globalPosition().toPoint());
    }
}

void DrawingArea::mouseMoveEvent(QMouseEvent* event) {
    setFocus();
    if (!dragging_) {
        return;
    }
    const QPoint at = event->position().toPoint();
    const QPoint delta = at - lastDrag_;
    lastDrag_ = at;
    if (handlers_.drag && !delta.isNull()) {
        handlers_.drag(delta);
    }
}

void DrawingArea::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && handlers_.doubleClick) {
        handlers_.doubleClick();
    }
}
