#include "ColorListBox.h"

#include "WidgetCanvas.h"

#include <QPainter>
#include <QStyledItemDelegate>

namespace {

constexpr int kLineColorRole = Qt::UserRole;

class ColorLineDelegate : public QStyledItemDelegate {
  public:
    explicit ColorLineDelegate(CColorListBox& list) : QStyledItemDelegate(&list), list_(list) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const bool selected = option.state & QStyle::State_Selected;
        painter->save();
        painter->fillRect(option.rect, option.palette.color(selected ? QPalette::Highlight : QPalette::Base));
        painter->setPen(ui::ToQColor(list_.PaintedTextColor(index.row())));
        painter->drawText(option.rect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextExpandTabs,
                          index.data().toString());
        painter->restore();
    }

  private:
    CColorListBox& list_;
};

}  // namespace

CColorListBox::CColorListBox(QWidget* parent) : QListWidget(parent) { setItemDelegate(new ColorLineDelegate(*this)); }

int CColorListBox::AddString(const QString& text, platform::ColorRef color) {
    auto* line = new QListWidgetItem(text);
    line->setData(kLineColorRole, color);
    addItem(line);
    return count() - 1;
}

void CColorListBox::ReplaceString(int index, const QString& text, platform::ColorRef color) {
    if (index < 0 || index >= count()) return;
    delete takeItem(index);
    auto* line = new QListWidgetItem(text);
    line->setData(kLineColorRole, color);
    insertItem(index, line);
}

platform::ColorRef CColorListBox::PaintedTextColor(int index) const {
    const QListWidgetItem* line = item(index);
    if (line == nullptr) return 0;
    if (line->isSelected()) return ui::ToColorRef(palette().color(QPalette::HighlightedText));
    if (!isEnabled()) return ui::ToColorRef(palette().color(QPalette::Disabled, QPalette::Text));
    return line->data(kLineColorRole).toUInt();
}
