// The manual cutting-order dialog's window (template 111): the remaining and the ordered list, the
// buttons between and under them, and the preview; OK gives the drawing the new order.
#pragma once

#include <QDialog>

#include "DlgSetOrder.h"

class CCadMgr;
class QTableWidget;
class QToolButton;

namespace output::ui {

class SetOrderPreviewArea;

class CDlgSetOrder : public QDialog {
    Q_OBJECT

  public:
    CDlgSetOrder(QWidget* parent, CCadMgr& manager);

    const ::CDlgSetOrder& Lists() const { return lists_; }
    SetOrderPreviewArea& PreviewArea() { return *preview_; }

    void accept() override;
    void reject() override;

  protected:
    // Swallows right presses over the lists; the left and right arrow keys move between them.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    using OrderList = ::CDlgSetOrder::OrderList;

    QWidget* MakeListColumn(OrderList list, int listId, int reOrderId);
    QWidget* MakeMoveButtons();
    QWidget* MakePreviewColumn();
    void LoadTexts();
    QTableWidget& Table(OrderList list) const;
    // Shows both lists as the headless lists hold them, then the preview.
    void ShowRows();
    void ShowList(OrderList list);
    void TakeRowSelection(OrderList list);
    // Runs a button's operation on the lists, then shows them again.
    void Run(void (::CDlgSetOrder::*operation)());
    void ShowSelectModeIcon();

    ::CDlgSetOrder lists_;
    SetOrderPreviewArea* preview_ = nullptr;
    bool showingRows_ = false;
};

}  // namespace output::ui
