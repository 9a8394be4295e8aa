#include "LgpPreviewArea.h"

#include <cmath>

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include "DialogControls.h"
#include "DialogMessages.h"
#include "LgpWindowTexts.h"
#include "QImageBackend.h"

namespace dotplate::ui {

namespace {

constexpr int kCursorPickPixels = 3;

platform::Point PointOf(const QPointF& position) {
    return {static_cast<std::int32_t>(std::lround(position.x())),
            static_cast<std::int32_t>(std::lround(position.y()))};
}

LgpPreviewScene CurrentScene() {
    const LgpDesigner& designer = Designer();
    LgpPreviewScene scene;
    scene.plate = &designer.plate;
    scene.dots = designer.config.dot;
    scene.laser = designer.config.laser;
    scene.originCorner = designer.originCorner;
    scene.headPosition = designer.headPosition;
    return scene;
}

}  // namespace

CLgpPreviewArea::CLgpPreviewArea(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
    setMinimumSize(200, 200);
}

platform::Size CLgpPreviewArea::AreaSize() const {
    return {width(), height()};
}

void CLgpPreviewArea::FitToPlate() {
    view_.Fit(Designer().plate.OutlineBox(), AreaSize());
    fitted_ = true;
    update();
}

void CLgpPreviewArea::FitIfNew() {
    if (!fitted_) {
        FitToPlate();
    }
}

SDPoint CLgpPreviewArea::CrossOnArea() const {
    return view_.ToDevice(BaselineCross(Designer().plate, Designer().config.dot), AreaSize());
}

QImage CLgpPreviewArea::Render() {
    FitIfNew();
    QImage image(size(), QImage::Format_RGB32);
    image.fill(palette().color(QPalette::Window));
    const QSize inset(width() - 2 * kPreviewInset, height() - 2 * kPreviewInset);
    if (inset.isEmpty()) {
        return image;
    }
    auto surface = std::make_unique<platform::QImageBackend>(platform::Size{inset.width(), inset.height()});
    const platform::QImageBackend& picture = *surface;
    platform::DeviceContext canvas(std::move(surface));
    DrawPlatePreview(canvas, CurrentScene(), view_, AreaSize());
    QPainter painter(&image);
    painter.drawImage(kPreviewInset, kPreviewInset, picture.Image());
    return image;
}

void CLgpPreviewArea::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, Render());
}

void CLgpPreviewArea::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || Designer().config.dot.AnyLightSource()) {
        return;
    }
    view_.BeginDrag(PointOf(event->position()), CrossOnArea());
}

void CLgpPreviewArea::mouseMoveEvent(QMouseEvent* event) {
    setFocus();
    const platform::Point mouse = PointOf(event->position());
    if (view_.Dragging() != LgpPreviewView::DragLine::kNone) {
        const double shift = view_.DragTo(mouse);
        LgpDotPara& dots = Designer().config.dot;
        (view_.Dragging() == LgpPreviewView::DragLine::kVertical ? dots.baselineX : dots.baselineY) += shift;
        emit baselineDragged(dots.baselineX, dots.baselineY);
        update();
        return;
    }
    const SDPoint cross = CrossOnArea();
    if (Designer().config.dot.AnyLightSource()) {
        unsetCursor();
    } else if (std::abs(mouse.x - cross.x) <= kCursorPickPixels) {
        setCursor(Qt::SplitHCursor);
    } else if (std::abs(mouse.y - cross.y) <= kCursorPickPixels) {
        setCursor(Qt::SplitVCursor);
    } else {
        unsetCursor();
    }
}

void CLgpPreviewArea::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        view_.EndDrag();
    } else if (event->button() == Qt::RightButton) {
        FitToPlate();
    }
}

void CLgpPreviewArea::wheelEvent(QWheelEvent* event) {
    if (event->angleDelta().y() == 0) {
        return;
    }
    FitIfNew();
    view_.Zoom(event->angleDelta().y() > 0, PointOf(event->position()), AreaSize());
    update();
}

}  // namespace dotplate::ui
