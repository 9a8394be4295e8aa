#include "DockPlacement.h"

#include <QDockWidget>
#include <QMainWindow>

DockSide DockSideOf(const QMainWindow* frame, const QDockWidget& bar) {
    if (frame == nullptr || bar.isFloating()) return DockSide::Floating;
    switch (frame->dockWidgetArea(const_cast<QDockWidget*>(&bar))) {
        case Qt::TopDockWidgetArea: return DockSide::Top;
        case Qt::LeftDockWidgetArea: return DockSide::Left;
        case Qt::RightDockWidgetArea: return DockSide::Right;
        case Qt::BottomDockWidgetArea: return DockSide::Bottom;
        default: return DockSide::Floating;
    }
}
