#include "EditListCtrl.h"

#include "EditListValue.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QMouseEvent>

CEditListCtrl::CEditListCtrl(QWidget* parent) : QTableWidget(parent) {
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    verticalHeader()->hide();
    // A press on the header hides an open editor without committing it.
    connect(horizontalHeader(), &QHeaderView::sectionPressed, this, [this] {
        if (editor_ != nullptr) editor_->hide();
    });
}

void CEditListCtrl::mouseDoubleClickEvent(QMouseEvent* event) {
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid() && index.column() == kEditableColumn) OpenEditor(index.row());
    QTableWidget::mouseDoubleClickEvent(event);
}

void CEditListCtrl::OpenEditor(int row) {
    if (editor_ == nullptr) {
        editor_ = new QLineEdit(viewport());
        platform::SetControlId(*editor_, 1);
        editor_->hide();
        editor_->installEventFilter(this);
        connect(editor_, &QLineEdit::returnPressed, this, &CEditListCtrl::CommitEdit);
    }
    editedRow_ = row;
    const QTableWidgetItem* cell = item(row, kEditableColumn);
    editor_->setGeometry(visualRect(model()->index(row, kEditableColumn)));
    editor_->setText(cell == nullptr ? QString() : cell->text());
    editor_->show();
    editor_->setFocus();
    editor_->end(false);
}

void CEditListCtrl::CommitEdit() {
    if (editor_ == nullptr || editor_->isHidden() || editedRow_ < 0) return;
    const int row = editedRow_;
    // Cleared before hiding: hiding takes the focus away, which would commit a second time.
    editedRow_ = -1;
    const std::int32_t value = CommittedEditListValue(editor_->text().toStdString());
    editor_->hide();
    if (row >= rowCount()) return;
    setItem(row, kEditableColumn, new QTableWidgetItem(QString::number(value)));
    platform::PostWindowMessage(parentWidget(), kEditListCommitMessage, static_cast<std::uintptr_t>(row), value);
}

bool CEditListCtrl::eventFilter(QObject* watched, QEvent* event) {
    if (watched == editor_ && event->type() == QEvent::FocusOut) CommitEdit();
    return QTableWidget::eventFilter(watched, event);
}
