#include "StatusBarXP.h"

#include "WindowMessage.h"

#include <QLabel>
#include <QPainter>

CStatusBarXP::CStatusBarXP(QWidget* parent) : QStatusBar(parent) {
    setMinimumHeight(kMinimumHeight);
    setSizeGripEnabled(false);
}

bool CStatusBarXP::SetIndicators(std::span<const int> ids) {
    if (ids.empty()) return false;
    for (QLabel* pane : panes_) {
        removeWidget(pane);
        delete pane;
    }
    panes_.clear();
    for (const int id : ids) {
        auto* pane = new QLabel(this);
        platform::SetControlId(*pane, id);
        pane->setFrameShape(QFrame::NoFrame);
        pane->setContentsMargins(3, 0, 3, 0);
        if (id == 0) {
            addWidget(pane, 1);
        } else {
            addPermanentWidget(pane);
        }
        panes_.push_back(pane);
    }
    return true;
}

bool CStatusBarXP::SetPaneText(int index, const QString& text) {
    if (index < 0 || index >= PaneCount()) return false;
    panes_[static_cast<std::size_t>(index)]->setText(text);
    return true;
}

QString CStatusBarXP::PaneText(int index) const {
    if (index < 0 || index >= PaneCount()) return {};
    return panes_[static_cast<std::size_t>(index)]->text();
}

QRect CStatusBarXP::PaneRect(int index) const {
    if (index < 0 || index >= PaneCount()) return {};
    return panes_[static_cast<std::size_t>(index)]->geometry();
}

void CStatusBarXP::paintEvent(QPaintEvent* event) {
    QStatusBar::paintEvent(event);
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::Dark), 0));
    painter.setBrush(Qt::NoBrush);
    // A one-pixel outline on the pane's own edge pixels, right and bottom edges included.
    for (int index = 0; index < PaneCount(); ++index) painter.drawRect(PaneRect(index).adjusted(0, 0, -1, -1));
}
