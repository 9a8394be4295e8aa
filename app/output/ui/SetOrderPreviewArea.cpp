#include "SetOrderPreviewArea.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include "DlgSetOrder.h"
#include "QImageBackend.h"

namespace output::ui {

namespace {

constexpr platform::ColorRef kBandColour = platform::Rgb(0, 0, 200);

platform::Point PointOf(const QPointF& position) {
    return {static_cast<std::int32_t>(position.x()), static_cast<std::int32_t>(position.y())};
}

}  // namespace

SetOrderPreviewArea::SetOrderPreviewArea(::CDlgSetOrder& lists, QWidget* parent)
    : QWidget(parent), lists_(lists) {
    setObjectName(QString::number(CDlgSetOrder::kPreviewArea));
    setMinimumSize(320, 240);
    preview_.SetAreaSize({width(), height()});
}

void SetOrderPreviewArea::Fit() {
    preview_.Fit(lists_.UnionRect());
    Refresh();
}

void SetOrderPreviewArea::Refresh() {
    const platform::Size size{std::max(width(), 1), std::max(height(), 1)};
    preview_.SetAreaSize(size);
    if (picture_ == nullptr || picture_->SurfaceSize() != size) {
        picture_ = std::make_unique<platform::DeviceContext>(std::make_unique<platform::QImageBackend>(size));
    }
    preview_.Paint(*picture_, lists_);
    bandCorner_.reset();
    update();
}

const QImage& SetOrderPreviewArea::Picture() const {
    return static_cast<const platform::QImageBackend&>(picture_->Backend()).Image();
}

void SetOrderPreviewArea::paintEvent(QPaintEvent*) {
    if (picture_ == nullptr) {
        Refresh();
    }
    QPainter painter(this);
    painter.drawImage(0, 0, Picture());
}

// The drawing is fitted once the area has its first real size, as the dialog opens.
void SetOrderPreviewArea::resizeEvent(QResizeEvent*) {
    preview_.SetAreaSize({width(), height()});
    if (!fitted_) {
        fitted_ = true;
        preview_.Fit(lists_.UnionRect());
    }
    Refresh();
}

platform::DeviceContext SetOrderPreviewArea::MappedContext() const {
    platform::DeviceContext mapping(std::make_unique<platform::QImageBackend>(preview_.AreaSize()));
    preview_.PrepareDC(mapping);
    return mapping;
}

void SetOrderPreviewArea::DrawBand(platform::Point corner) {
    platform::DeviceContext& dc = *picture_;
    const platform::RasterOp previousRop = dc.SetROP2(platform::RasterOp::NotXorPen);
    const platform::Pen previousPen =
        dc.SelectObject(platform::Pen::Styled(platform::PenStyle::DashDot, 1, kBandColour));
    const platform::Brush previousBrush = dc.SelectObject(platform::Brush::Null());
    dc.Rectangle(pressPoint_.x, pressPoint_.y, corner.x, corner.y);
    dc.SelectObject(previousBrush);
    dc.SelectObject(previousPen);
    dc.SetROP2(previousRop);
}

void SetOrderPreviewArea::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    buttonDown_ = true;
    pressPoint_ = lastPoint_ = PointOf(event->position());
    platform::DeviceContext mapping = MappedContext();
    lists_.PickAt(mapping.DPtoLP(pressPoint_), mapping);
    Refresh();
    emit selectionPicked();
}

void SetOrderPreviewArea::mouseMoveEvent(QMouseEvent* event) {
    if (!buttonDown_) {
        return;
    }
    const platform::Point at = PointOf(event->position());
    if (!selectMode_) {
        preview_.Pan(at.x - lastPoint_.x, at.y - lastPoint_.y);
        lastPoint_ = at;
        Refresh();
        return;
    }
    if (bandCorner_) {
        DrawBand(*bandCorner_);
    }
    DrawBand(at);
    bandCorner_ = at;
    update();
}

void SetOrderPreviewArea::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !buttonDown_) {
        return;
    }
    buttonDown_ = false;
    if (!selectMode_) {
        return;
    }
    const SDPoint from = preview_.ToMm(pressPoint_);
    const SDPoint to = preview_.ToMm(PointOf(event->position()));
    lists_.SelectInBand(CCadRect(from.x, from.y, to.x, to.y, 0));
    Refresh();
    emit selectionPicked();
}

void SetOrderPreviewArea::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !selectMode_ || !lists_.HasSelection()) {
        return;
    }
    platform::DeviceContext mapping = MappedContext();
    lists_.PickPathAt(mapping.DPtoLP(PointOf(event->position())), mapping);
    Refresh();
}

void SetOrderPreviewArea::wheelEvent(QWheelEvent* event) {
    preview_.ZoomAt(event->angleDelta().y(), PointOf(event->position()));
    Refresh();
}

}  // namespace output::ui
