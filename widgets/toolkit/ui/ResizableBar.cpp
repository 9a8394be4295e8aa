// The older bar's edge band and its drag with a line tracker.
#include "ResizableBar.h"

#include "DockPlacement.h"

#include <QMouseEvent>
#include <QRubberBand>
#include <QVBoxLayout>

CResizableBar::CResizableBar(const QString& title, QMainWindow& frame)
    : QDockWidget(title, &frame), frame_(&frame), container_(new QWidget(this)) {
    setObjectName(title);
    auto* layout = new QVBoxLayout(container_);
    layout->setContentsMargins(0, 0, 0, 0);
    setWidget(container_);
    connect(this, &QDockWidget::dockLocationChanged, this, &CResizableBar::UpdateInsets);
    connect(this, &QDockWidget::topLevelChanged, this, &CResizableBar::UpdateInsets);
}

void CResizableBar::SetChild(QWidget* child) { container_->layout()->addWidget(child); }

void CResizableBar::SetMinimumSizes(int width, int height) {
    minWidth_ = width;
    minHeight_ = height;
}

DockSide CResizableBar::Side() const { return DockSideOf(frame_, *this); }

void CResizableBar::UpdateInsets() {
    const ResizableBarInsets insets = ResizableBarClientInsets(Side(), kEdgeWidth, kGripperMargin, kOtherMargin);
    container_->layout()->setContentsMargins(insets.left, insets.top, insets.right, insets.bottom);
}

QRect CResizableBar::EdgeRect() const {
    const QRect area = container_->geometry();
    switch (ResizableBarClientInsets(Side(), kEdgeWidth, kGripperMargin, kOtherMargin).edge) {
        case kEdgeBottom: return QRect(area.left(), area.bottom() - kEdgeWidth + 1, area.width(), kEdgeWidth);
        case kEdgeRight: return QRect(area.right() - kEdgeWidth + 1, area.top(), kEdgeWidth, area.height());
        case kEdgeLeft: return QRect(area.left(), area.top(), kEdgeWidth, area.height());
        case kEdgeTop: return QRect(area.left(), area.top(), area.width(), kEdgeWidth);
        default: return {};
    }
}

bool CResizableBar::DragsAlongX() const { return IsVerticalSide(Side()); }

void CResizableBar::BeginDrag(QPoint screenPoint) {
    if (IsDragging() || Side() == DockSide::Floating) return;
    dragStart_ = dragPoint_ = screenPoint;
    tracker_ = new QRubberBand(QRubberBand::Line, frame_);
    tracker_->setGeometry(QRect(frame_->mapFromGlobal(mapToGlobal(EdgeRect().topLeft())), EdgeRect().size()));
    tracker_->show();
}

void CResizableBar::DragTo(QPoint screenPoint) {
    if (!IsDragging()) return;
    const QPoint step = screenPoint - dragPoint_;
    dragPoint_ = screenPoint;
    tracker_->move(tracker_->pos() + (DragsAlongX() ? QPoint(step.x(), 0) : QPoint(0, step.y())));
}

void CResizableBar::EndDrag(bool accept) {
    if (!IsDragging()) return;
    delete tracker_;
    tracker_ = nullptr;
    if (!accept) return;
    const QPoint moved = dragPoint_ - dragStart_;
    const QWidget* central = frame_->centralWidget();
    if (DragsAlongX()) {
        width_ = ResizableBarDraggedSize(Side(), width(), moved.x(), minWidth_, central == nullptr ? 0 : central->width());
        frame_->resizeDocks({this}, {width_}, Qt::Horizontal);
    } else {
        height_ = ResizableBarDraggedSize(Side(), height(), moved.y(), minHeight_, central == nullptr ? 0 : central->height());
        frame_->resizeDocks({this}, {height_}, Qt::Vertical);
    }
}

void CResizableBar::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && EdgeRect().contains(event->position().toPoint())) {
        BeginDrag(event->globalPosition().toPoint());
        return;
    }
    QDockWidget::mousePressEvent(event);
}

void CResizableBar::mouseMoveEvent(QMouseEvent* event) {
    if (IsDragging()) {
        DragTo(event->globalPosition().toPoint());
        return;
    }
    setCursor(EdgeRect().contains(event->position().toPoint()) ? (DragsAlongX() ? Qt::SizeHorCursor : Qt::SizeVerCursor)
                                                               : Qt::ArrowCursor);
    QDockWidget::mouseMoveEvent(event);
}

void CResizableBar::mouseReleaseEvent(QMouseEvent* event) {
    if (IsDragging()) {
        EndDrag(true);
        return;
    }
    QDockWidget::mouseReleaseEvent(event);
}
