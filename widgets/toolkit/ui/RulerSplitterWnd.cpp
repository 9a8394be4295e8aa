// The 2 x 2 pane grid; a ruler that gets the focus hands it on to the view, so a ruler never keeps it.
#include "RulerSplitterWnd.h"

#include <QEvent>
#include <QGridLayout>

namespace {

QRect ScreenRect(const QWidget* pane) { return QRect(pane->mapToGlobal(QPoint(0, 0)), pane->size()); }

}  // namespace

CRulerSplitterWnd::CRulerSplitterWnd(QWidget* parent) : QWidget(parent), grid_(new QGridLayout(this)) {
    grid_->setContentsMargins(0, 0, 0, 0);
    grid_->setSpacing(kGapWithoutRulers);
}

bool CRulerSplitterWnd::Create(const CCreateContext& context) {
    if (view_ != nullptr) return false;
    std::unique_ptr<QWidget> corner = context.newCorner ? context.newCorner() : nullptr;
    if (!corner) return false;
    std::unique_ptr<QWidget> horizontal = context.newRuler ? context.newRuler() : nullptr;
    if (!horizontal || dynamic_cast<RulerPane*>(horizontal.get()) == nullptr) return false;
    std::unique_ptr<QWidget> vertical = context.newRuler();
    if (!vertical || dynamic_cast<RulerPane*>(vertical.get()) == nullptr) return false;
    std::unique_ptr<QWidget> view = context.newView ? context.newView() : nullptr;
    if (!view) return false;

    corner_ = corner.release();
    horizontalRuler_ = horizontal.release();
    verticalRuler_ = vertical.release();
    view_ = view.release();
    grid_->addWidget(corner_, 0, 0);
    grid_->addWidget(horizontalRuler_, 0, 1);
    grid_->addWidget(verticalRuler_, 1, 0);
    grid_->addWidget(view_, 1, 1);
    grid_->setRowStretch(1, 1);
    grid_->setColumnStretch(1, 1);
    dynamic_cast<RulerPane&>(*horizontalRuler_).SetOrientation(kRulerHorizontal);
    dynamic_cast<RulerPane&>(*verticalRuler_).SetOrientation(kRulerVertical);
    for (QWidget* ruler : {corner_, horizontalRuler_, verticalRuler_}) ruler->installEventFilter(this);
    ShowRulers(false, false);
    view_->setFocus();
    return true;
}

void CRulerSplitterWnd::ShowRulers(bool show, bool remember) {
    if (remember) rulersShown_ = show;
    if (view_ == nullptr) return;
    const int thickness = show ? kRulerThickness : 0;
    corner_->setFixedSize(thickness, thickness);
    horizontalRuler_->setFixedHeight(thickness);
    verticalRuler_->setFixedWidth(thickness);
    grid_->setSpacing(show ? kGapWithRulers : kGapWithoutRulers);
    grid_->invalidate();
    grid_->activate();
}

void CRulerSplitterWnd::UpdateRulers(int kind, const RulerMapping& mapping) {
    if (view_ == nullptr) return;
    dynamic_cast<RulerPane&>(*horizontalRuler_).SetMapping(kind, mapping);
    dynamic_cast<RulerPane&>(*verticalRuler_).SetMapping(kind, mapping);
    ShowRulers(true, false);
}

void CRulerSplitterWnd::GetHorzRulerRect(QRect& rect) const {
    if (horizontalRuler_ != nullptr) rect = ScreenRect(horizontalRuler_);
}

void CRulerSplitterWnd::GetVertRulerRect(QRect& rect) const {
    if (verticalRuler_ != nullptr) rect = ScreenRect(verticalRuler_);
}

QWidget* CRulerSplitterWnd::Pane(int row, int column) const {
    if (row == 0) return column == 0 ? corner_ : column == 1 ? horizontalRuler_ : nullptr;
    if (row == 1) return column == 0 ? verticalRuler_ : column == 1 ? view_ : nullptr;
    return nullptr;
}

bool CRulerSplitterWnd::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn && view_ != nullptr && watched != view_) view_->setFocus();
    return QWidget::eventFilter(watched, event);
}
