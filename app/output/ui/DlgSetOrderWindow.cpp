#include "DlgSetOrderWindow.h"

#include <QCheckBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyle>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "CutrixAssert.h"
#include "DialogControls.h"
#include "LanguageTexts.h"
#include "SetOrderPreviewArea.h"

namespace output::ui {

namespace {

using Lists = ::CDlgSetOrder;

constexpr int kNumberColumnWidth = 40;
constexpr int kNameColumnWidth = 78;
constexpr int kIconSize = 22;

QString Text(const char* section, const char* key) {
    return QString::fromStdString(GetLangText(section, key));
}

QToolButton* MakeIconButton(QWidget* parent, int id, QStyle::StandardPixmap icon) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::number(id));
    button->setIcon(parent->style()->standardIcon(icon));
    button->setIconSize({kIconSize, kIconSize});
    return button;
}

}  // namespace

CDlgSetOrder::CDlgSetOrder(QWidget* parent, CCadMgr& manager) : QDialog(parent), lists_(manager) {
    lists_.OnInitDialog();
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(
        MakeListColumn(OrderList::kRemaining, Lists::kRemainingList, Lists::kReOrderRemainingButton));
    layout->addWidget(MakeMoveButtons());
    layout->addWidget(MakeListColumn(OrderList::kOrdered, Lists::kOrderedList, Lists::kReOrderOrderedButton));
    layout->addWidget(MakePreviewColumn(), 1);
    LoadTexts();
    ShowRows();
    // Room for the preview beside the two lists.
    resize(960, 560);
}

QWidget* CDlgSetOrder::MakeListColumn(OrderList list, int listId, int reOrderId) {
    auto* column = new QWidget(this);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* table = new QTableWidget(0, 2, column);
    table->setObjectName(QString::number(listId));
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setShowGrid(true);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setSectionsMovable(true);
    table->setColumnWidth(0, kNumberColumnWidth);
    table->setColumnWidth(1, kNameColumnWidth);
    table->setMinimumWidth(kNumberColumnWidth + kNameColumnWidth + 24);
    table->installEventFilter(this);
    table->viewport()->installEventFilter(this);
    connect(table, &QTableWidget::itemSelectionChanged, this, [this, list] { TakeRowSelection(list); });
    layout->addWidget(table, 1);
    QPushButton* reOrder = dialogkit::MakeButton(column, reOrderId, {});
    connect(reOrder, &QPushButton::clicked, this, [this, list] {
        lists_.OnReOrder(list);
        ShowRows();
    });
    layout->addWidget(reOrder);
    return column;
}

QWidget* CDlgSetOrder::MakeMoveButtons() {
    auto* column = new QWidget(this);
    auto* layout = new QVBoxLayout(column);
    layout->addStretch();
    const struct {
        int id;
        const char* label;
        void (Lists::*operation)();
    } buttons[] = {
        {Lists::kMoveSelectedButton, ">>", &Lists::OnMoveSelected},
        {Lists::kMoveAllButton, ">>>", &Lists::OnMoveAll},
        {Lists::kRestartButton, "<<<", &Lists::OnRestart},
    };
    for (const auto& button : buttons) {
        QPushButton* made = dialogkit::MakeButton(column, button.id, QString::fromLatin1(button.label));
        connect(made, &QPushButton::clicked, this, [this, operation = button.operation] { Run(operation); });
        layout->addWidget(made);
    }
    layout->addSpacing(16);
    QPushButton* reverse = dialogkit::MakeButton(column, Lists::kReverseButton, {});
    connect(reverse, &QPushButton::clicked, this, [this] { Run(&Lists::OnReverse); });
    layout->addWidget(reverse);
    layout->addStretch();
    return column;
}

QWidget* CDlgSetOrder::MakePreviewColumn() {
    auto* column = new QWidget(this);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* tools = new QHBoxLayout;
    QToolButton* fit = MakeIconButton(column, Lists::kFitButton, QStyle::SP_TitleBarMaxButton);
    QToolButton* selectMode = MakeIconButton(column, Lists::kSelectModeButton, QStyle::SP_ArrowRight);
    QToolButton* up = MakeIconButton(column, Lists::kMoveUpButton, QStyle::SP_ArrowUp);
    QToolButton* down = MakeIconButton(column, Lists::kMoveDownButton, QStyle::SP_ArrowDown);
    selectMode->setCheckable(true);
    for (QToolButton* button : {fit, selectMode, up, down}) {
        tools->addWidget(button);
    }
    QCheckBox* showPath = dialogkit::MakeCheck(column, Lists::kShowPathCheck, {});
    showPath->setChecked(lists_.ShowPathOn());
    tools->addWidget(showPath);
    tools->addStretch();
    layout->addLayout(tools);

    preview_ = new SetOrderPreviewArea(lists_, column);
    layout->addWidget(preview_, 1);

    auto* buttons = new QHBoxLayout;
    QPushButton* ok = dialogkit::MakeButton(column, Lists::kOkButton, {});
    QPushButton* cancel = dialogkit::MakeButton(column, Lists::kCancelButton, {});
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);

    connect(fit, &QToolButton::clicked, preview_, &SetOrderPreviewArea::Fit);
    connect(selectMode, &QToolButton::clicked, this, [this](bool on) {
        preview_->SetSelectMode(on);
        ShowSelectModeIcon();
    });
    connect(up, &QToolButton::clicked, this, [this] { Run(&Lists::OnMoveUp); });
    connect(down, &QToolButton::clicked, this, [this] { Run(&Lists::OnMoveDown); });
    connect(showPath, &QCheckBox::clicked, this, [this] { Run(&Lists::OnShowPath); });
    connect(preview_, &SetOrderPreviewArea::selectionPicked, this, &CDlgSetOrder::ShowRows);
    connect(ok, &QPushButton::clicked, this, &CDlgSetOrder::accept);
    connect(cancel, &QPushButton::clicked, this, &CDlgSetOrder::reject);
    return column;
}

void CDlgSetOrder::LoadTexts() {
    setWindowTitle(Text("DlgSetOrder", "1"));
    for (OrderList list : {OrderList::kRemaining, OrderList::kOrdered}) {
        Table(list).setHorizontalHeaderLabels({Text("DlgSetOrder", "2"), Text("DlgSetOrder", "3")});
    }
    dialogkit::Find<QCheckBox>(*this, Lists::kShowPathCheck)->setText(Text("DlgSetOrder", "4"));
    dialogkit::Find<QPushButton>(*this, Lists::kReOrderRemainingButton)->setText(Text("DlgSetOrder", "5"));
    dialogkit::Find<QPushButton>(*this, Lists::kReOrderOrderedButton)->setText(Text("DlgSetOrder", "5"));
    dialogkit::Find<QPushButton>(*this, Lists::kReverseButton)->setText(Text("DlgSetOrder", "6"));
    dialogkit::Find<QPushButton>(*this, Lists::kOkButton)->setText(Text("ItemCommon", "1"));
    dialogkit::Find<QPushButton>(*this, Lists::kCancelButton)->setText(Text("ItemCommon", "2"));
}

QTableWidget& CDlgSetOrder::Table(OrderList list) const {
    const int id = list == OrderList::kRemaining ? Lists::kRemainingList : Lists::kOrderedList;
    QTableWidget* table = dialogkit::Find<QTableWidget>(*this, id);
    CUTRIX_ASSERT(table != nullptr);
    return *table;
}

void CDlgSetOrder::ShowRows() {
    showingRows_ = true;
    ShowList(OrderList::kRemaining);
    ShowList(OrderList::kOrdered);
    showingRows_ = false;
    preview_->Refresh();
}

void CDlgSetOrder::ShowList(OrderList list) {
    QTableWidget& table = Table(list);
    const std::vector<Lists::Row> rows = lists_.Rows(list);
    table.clearSelection();
    table.setRowCount(static_cast<int>(rows.size()));
    for (int index = 0; index < static_cast<int>(rows.size()); ++index) {
        const Lists::Row& row = rows[static_cast<std::size_t>(index)];
        table.setItem(index, 0, new QTableWidgetItem(QString::number(row.number)));
        table.setItem(index, 1, new QTableWidgetItem(QString::fromStdString(row.name)));
        if (row.selected) {
            table.selectionModel()->select(table.model()->index(index, 0),
                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
        }
    }
}

void CDlgSetOrder::TakeRowSelection(OrderList list) {
    if (showingRows_) {
        return;
    }
    std::vector<int> rows;
    for (const QModelIndex& index : Table(list).selectionModel()->selectedRows()) {
        rows.push_back(index.row());
    }
    std::ranges::sort(rows);
    lists_.SelectRows(list, rows);
    preview_->Refresh();
}

void CDlgSetOrder::Run(void (Lists::*operation)()) {
    (lists_.*operation)();
    ShowRows();
}

void CDlgSetOrder::ShowSelectModeIcon() {
    auto* button = dialogkit::Find<QToolButton>(*this, Lists::kSelectModeButton);
    button->setIcon(
        style()->standardIcon(preview_->SelectMode() ? QStyle::SP_DialogApplyButton : QStyle::SP_ArrowRight));
}

bool CDlgSetOrder::eventFilter(QObject* watched, QEvent* event) {
    const bool overRemaining =
        watched == &Table(OrderList::kRemaining) || watched == Table(OrderList::kRemaining).viewport();
    const bool overOrdered =
        watched == &Table(OrderList::kOrdered) || watched == Table(OrderList::kOrdered).viewport();
    if (!overRemaining && !overOrdered) {
        return QDialog::eventFilter(watched, event);
    }
    if (event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
        return true;
    }
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Left || key == Qt::Key_Right) {
            const OrderList list = key == Qt::Key_Left ? OrderList::kRemaining : OrderList::kOrdered;
            Table(list).setFocus();
            TakeRowSelection(list);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CDlgSetOrder::accept() {
    lists_.OnOK();
    QDialog::accept();
}

void CDlgSetOrder::reject() {
    lists_.OnCancel();
    QDialog::reject();
}

}  // namespace output::ui
