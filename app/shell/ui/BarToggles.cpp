// Showing and hiding the registered bars, and telling the frame when their visibility changes.
#include "BarToggles.h"

#include <QEvent>

CBarToggles::CBarToggles(std::function<void()> changed) : changed_(std::move(changed)) {}

void CBarToggles::Register(Bar bar, QWidget* widget) {
    if (QWidget* old = WidgetOf(bar)) {
        old->removeEventFilter(this);
    }
    bars_[static_cast<std::size_t>(bar)] = widget;
    if (widget != nullptr) {
        widget->installEventFilter(this);
    }
}

bool CBarToggles::Has(Bar bar) const {
    return WidgetOf(bar) != nullptr;
}

void CBarToggles::Toggle(Bar bar) {
    if (QWidget* widget = WidgetOf(bar)) {
        widget->setVisible(widget->isHidden());
    }
}

CBarToggles::Visibility CBarToggles::Visible() const {
    Visibility visible{};
    for (std::size_t index = 0; index < bars_.size(); ++index) {
        visible[index] = bars_[index] != nullptr && !bars_[index]->isHidden();
    }
    return visible;
}

bool CBarToggles::eventFilter(QObject* watched, QEvent* event) {
    // ShowToParent and HideToParent come whether or not the frame is on screen.
    if ((event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent) && changed_) {
        changed_();
    }
    return QObject::eventFilter(watched, event);
}
