// The font lists' drawing, row height and name exchange.
#include "FontListCombo.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyledItemDelegate>

#include "LetterforgeIcons.h"

namespace letterforge {
namespace {

constexpr int kIconLeft = 5;
constexpr int kIconTop = 4;
constexpr int kNameLeft = 25;
// A row is the item font's cell height plus this margin.
constexpr int kRowMargin = 4;
// The dropped list is at least this much wider than its scroll bar.
constexpr int kPopupExtraWidth = 15;

class FontItemDelegate final : public QStyledItemDelegate {
  public:
    explicit FontItemDelegate(FontListCombo* combo) : QStyledItemDelegate(combo), combo_(combo) {}

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const QString name = index.data(Qt::DisplayRole).toString();
        const int width =
            kNameLeft + QFontMetrics(combo_->ItemFont(name)).horizontalAdvance(name) + kIconLeft;
        return {std::max(width, option.rect.width()), combo_->ItemFontHeight() + kRowMargin};
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        painter->save();
        const bool selected = option.state & QStyle::State_Selected;
        const QPalette& palette = option.palette;
        painter->fillRect(option.rect, selected ? palette.highlight() : palette.base());
        if (option.state & QStyle::State_HasFocus) {
            QStyleOptionFocusRect focus;
            focus.rect = option.rect;
            focus.palette = palette;
            QApplication::style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter);
        }
        const QIcon icon = index.data(Qt::DecorationRole).value<QIcon>();
        if (!icon.isNull()) {
            icon.paint(painter, QRect(option.rect.left() + kIconLeft, option.rect.top() + kIconTop,
                                      kFontIconSize, kFontIconSize));
        }
        const QString name = index.data(Qt::DisplayRole).toString();
        painter->setFont(combo_->ItemFont(name));
        painter->setPen(selected ? palette.highlightedText().color() : palette.text().color());
        const QRect textRect = option.rect.adjusted(kNameLeft, 0, 0, 0);
        painter->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter, name);
        painter->restore();
    }

  private:
    FontListCombo* combo_;
};

}  // namespace

FontListCombo::FontListCombo(QWidget* parent) : QComboBox(parent) {
    setItemDelegate(new FontItemDelegate(this));
}

void FontListCombo::SetItemFontHeight(int height, bool refill) {
    if (height == itemFontHeight_) {
        return;
    }
    itemFontHeight_ = height;
    if (refill) {
        Fill();
    }
}

void FontListCombo::SelectFontName(const std::string& name) {
    const QString wanted = QString::fromStdString(name);
    if (wanted.isEmpty()) {
        setCurrentIndex(count() > 0 ? 0 : -1);
        return;
    }
    const int found = findText(wanted, Qt::MatchFixedString);  // fixed strings match ignoring case
    if (found >= 0) {
        setCurrentIndex(found);
        return;
    }
    insertItem(0, IconOfUnlisted(wanted), wanted);
    setCurrentIndex(0);
}

std::string FontListCombo::SelectedFontName() const {
    return currentIndex() < 0 ? std::string() : currentText().toStdString();
}

void FontListCombo::showPopup() {
    const int scrollBarWidth = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    view()->setMinimumWidth(scrollBarWidth + kPopupExtraWidth);
    QComboBox::showPopup();
}

}  // namespace letterforge
