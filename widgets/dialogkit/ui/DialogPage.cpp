#include "DialogPage.h"

#include <QKeyEvent>

namespace dialogkit {

DialogPage::DialogPage(QWidget* parent) : QWidget(parent) {}

void DialogPage::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape:
            event->accept();
            return;
        default:
            QWidget::keyPressEvent(event);
    }
}

}  // namespace dialogkit
