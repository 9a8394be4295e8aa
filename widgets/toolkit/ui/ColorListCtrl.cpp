// The cell painter of the colour list: a box from one pixel above the cell to one past its right edge,
// outlined in the text colour, and the drop mark over the bottom of the marked row.
#include "ColorListCtrl.h"

#include "WidgetCanvas.h"

#include <QHeaderView>
#include <QPainter>
#include <QStyledItemDelegate>

namespace {

constexpr platform::ColorRef kWhite = platform::Rgb(255, 255, 255);
constexpr platform::ColorRef kBlack = platform::Rgb(0, 0, 0);

class ColorCellDelegate : public QStyledItemDelegate {
  public:
    explicit ColorCellDelegate(CColorListCtrl& list) : QStyledItemDelegate(&list), list_(list) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const CColorListCtrl::CellColors colors = list_.ColorsOf(index.row(), index.column());
        QRect box = option.rect.adjusted(0, -1, 0, 0);
        if (index.column() == 0 && list_.LayerColorsShown()) box.adjust(-1, 0, 0, 0);
        painter->save();
        painter->setPen(QPen(ui::ToQColor(colors.text), 0));
        painter->setBrush(ui::ToQColor(colors.fill));
        painter->drawRect(box);
        const QString text = index.data().toString();
        if (!text.isEmpty()) {
            painter->drawText(option.rect, Qt::AlignCenter | Qt::TextSingleLine, text);
        }
        if (list_.DropMarkShownAt(index.row())) {
            painter->setPen(QPen(ui::ToQColor(CColorListCtrl::kDropMarkColor), 3));
            const int y = option.rect.bottom() + 1 - 2;
            painter->drawLine(option.rect.left(), y, option.rect.right() + 1, y);
        }
        painter->restore();
    }

  private:
    CColorListCtrl& list_;
};

}  // namespace

CColorListCtrl::CColorListCtrl(QWidget* parent) : QTableWidget(parent) {
    setItemDelegate(new ColorCellDelegate(*this));
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setShowGrid(false);
    verticalHeader()->hide();
}

void CColorListCtrl::SetDropMark(int row, int flag) {
    markRow_ = row;
    markFlag_ = flag;
}

CColorListCtrl::CellColors CColorListCtrl::ColorsOf(int row, int column) const {
    if (column == 0 && layerColors_) {
        const std::optional<platform::ColorRef> layer = layerColorSource_ ? layerColorSource_(row) : std::nullopt;
        const platform::ColorRef fill = layer.value_or(kWhite);
        return {fill, fill == kWhite ? kBlack : kWhite};
    }
    const bool selected = selectionModel() != nullptr && selectionModel()->isRowSelected(row, QModelIndex());
    if (selected) return {kSelectedFill, kWhite};
    return {kWhite, kBlack};
}
