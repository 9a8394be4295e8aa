// Painting of the property lines, the editors that follow the selection, folding of groups and the
// divider drag.
#include "PropertyList.h"

#include "DialogChooser.h"
#include "WidgetCanvas.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>

namespace {

constexpr platform::ColorRef kSelectedNameFill = platform::Rgb(0, 0, 200);
constexpr int kBoxSize = 13;
constexpr int kFileDialogFolderSeparator = '/';

QRect ToQRect(const platform::Rect& rect) {
    return QRect(QPoint(rect.left, rect.top), QPoint(rect.right - 1, rect.bottom - 1));
}

// The 13 x 13 fold box: a black frame on white with a minus, and a plus when folded.
QImage FoldBox(bool expanded) {
    QImage box(kBoxSize, kBoxSize, QImage::Format_RGB32);
    box.fill(Qt::white);
    for (int i = 0; i < kBoxSize; ++i) {
        for (const QPoint at : {QPoint(i, 0), QPoint(i, kBoxSize - 1), QPoint(0, i), QPoint(kBoxSize - 1, i)}) {
            box.setPixel(at, 0xFF000000);
        }
    }
    const int middle = kBoxSize / 2;
    for (int i = 2; i < 2 + 9; ++i) {
        box.setPixel(i, middle, 0xFF000000);
        if (!expanded) box.setPixel(middle, i, 0xFF000000);
    }
    return box;
}

// Sunken edge lines: shadow above and left of the highlight.
void SunkenRight(QPainter& painter, const QRect& area, const QPalette& palette) {
    painter.setPen(palette.color(QPalette::Dark));
    painter.drawLine(area.right() - 1, area.top(), area.right() - 1, area.bottom());
    painter.setPen(palette.color(QPalette::Light));
    painter.drawLine(area.right(), area.top(), area.right(), area.bottom());
}

void SunkenBottom(QPainter& painter, const QRect& area, const QPalette& palette) {
    painter.setPen(palette.color(QPalette::Dark));
    painter.drawLine(area.left(), area.bottom() - 1, area.right(), area.bottom() - 1);
    painter.setPen(palette.color(QPalette::Light));
    painter.drawLine(area.left(), area.bottom(), area.right(), area.bottom());
}

}  // namespace

class PropertyLineDelegate : public QStyledItemDelegate {
  public:
    explicit PropertyLineDelegate(CPropertyList& list) : QStyledItemDelegate(&list), list_(list) {}

    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override {
        return {0, kPropertyLineHeight};
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        CPropertyItem* row = list_.RowAt(index.row());
        if (row == nullptr) return;
        const QRect line = option.rect;
        if (list_.divider_ == 0) list_.divider_ = 2 * line.width() / 3;
        const int divider = list_.divider_;
        const int height = line.height();
        const QRect box(line.left(), line.top(), height, height);
        const QRect name(QPoint(line.left() + height, line.top()), QPoint(divider - 2, line.bottom()));
        const QRect value(QPoint(divider, line.top()), line.bottomRight());
        row->box = ui::ToRect(box);
        const bool selected = option.state & QStyle::State_Selected;

        painter->save();
        painter->fillRect(line, Qt::white);
        painter->fillRect(name, selected ? ui::ToQColor(kSelectedNameFill) : QColor(Qt::white));
        SunkenRight(*painter, box, option.palette);
        SunkenRight(*painter, name, option.palette);
        SunkenBottom(*painter, name, option.palette);
        SunkenBottom(*painter, value, option.palette);
        if (row->header) painter->drawImage(box.topLeft() + QPoint(3, 3), FoldBox(row->expanded));
        painter->setFont(QFont("Tahoma", -1));
        painter->setPen(selected ? Qt::white : Qt::black);
        painter->drawText(name.adjusted(3, 3, -3, 3), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                          QString::fromStdString(row->name));
        PaintValue(*painter, *row, value, divider);
        painter->restore();
    }

  private:
    void PaintValue(QPainter& painter, const CPropertyItem& row, const QRect& value, int divider) const {
        const QString text = QString::fromStdString(row.value);
        painter.setPen(Qt::black);
        switch (row.kind) {
            case kPropertyColor: {
                const QRect inner = value.adjusted(2, 2, -2, -2);
                const QRect swatch(inner.topLeft(), QSize(inner.height(), inner.height()));
                painter.setBrush(ui::ToQColor(row.color));
                painter.drawRect(swatch.adjusted(0, 0, -1, -1));
                painter.drawText(QRect(QPoint(swatch.right() + 4, inner.top()), inner.bottomRight()),
                                 Qt::AlignVCenter | Qt::TextSingleLine, QString::fromStdString(PropertyColorText(row.color)));
                return;
            }
            case kPropertyFont: {
                QFont face(text);
                face.setPixelSize(std::max(1, value.height() - 7));
                painter.setFont(face);
                painter.setPen(ui::ToQColor(row.color));
                painter.drawText(value.adjusted(3, 1, 3, 0), Qt::AlignLeft | Qt::TextSingleLine, text);
                return;
            }
            case kPropertyTextButton: {
                const int clip = static_cast<int>(0.7 * (divider + value.right() + 1));
                painter.drawText(QRect(QPoint(divider, value.top()), QPoint(clip - 1, value.bottom())),
                                 Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
                return;
            }
            case kPropertyButton: return;
            default:
                painter.drawText(value.adjusted(3, 3, 3, 3), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
        }
    }

    CPropertyList& list_;
};

CPropertyList::CPropertyList(QWidget* parent) : QListWidget(parent), chooser_(&StandardDialogChooser()) {
    setItemDelegate(new PropertyLineDelegate(*this));
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setMouseTracking(true);
    connect(this, &QListWidget::currentRowChanged, this, &CPropertyList::OpenEditor);
}

// A list line: no text of its own, the row as its item data.
static QListWidgetItem* NewLine(CPropertyItem* row) {
    auto* line = new QListWidgetItem();
    line->setData(Qt::UserRole, QVariant::fromValue(reinterpret_cast<quintptr>(row)));
    line->setSizeHint(QSize(0, kPropertyLineHeight));
    return line;
}

int CPropertyList::AddItem(CPropertyItem* row) {
    if (row->group < 0) row->group = -1;
    addItem(NewLine(row));
    rows_.push_back(row);
    return count() - 1;
}

void CPropertyList::ResetContent() {
    HideEditors();
    clear();
    rows_.clear();
}

CPropertyItem* CPropertyList::RowAt(int line) const {
    const QListWidgetItem* lineItem = item(line);
    if (lineItem == nullptr) return nullptr;
    return reinterpret_cast<CPropertyItem*>(lineItem->data(Qt::UserRole).value<quintptr>());
}

platform::Rect CPropertyList::LineRect(int line) const { return ui::ToRect(visualItemRect(item(line))); }

QComboBox& CPropertyList::EnsureDropDown() {
    if (dropDown_ == nullptr) {
        dropDown_ = new QComboBox(viewport());
        platform::SetControlId(*dropDown_, kDropDownId);
        dropDown_->installEventFilter(this);
        connect(dropDown_, &QComboBox::currentIndexChanged, this, &CPropertyList::OnDropDownChosen);
    }
    return *dropDown_;
}

QLineEdit& CPropertyList::EnsureEdit() {
    if (edit_ == nullptr) {
        edit_ = new QLineEdit(viewport());
        platform::SetControlId(*edit_, kEditId);
        edit_->installEventFilter(this);
        connect(edit_, &QLineEdit::textEdited, this, &CPropertyList::OnEditChanged);
    }
    return *edit_;
}

QPushButton& CPropertyList::EnsureButton() {
    if (button_ == nullptr) {
        button_ = new QPushButton("...", viewport());
        platform::SetControlId(*button_, kButtonId);
        connect(button_, &QPushButton::clicked, this, &CPropertyList::OnButtonPressed);
    }
    return *button_;
}

void CPropertyList::OpenEditor(int line) {
    if (button_ != nullptr) button_->hide();
    CPropertyItem* row = RowAt(line);
    if (row == nullptr) return;
    if (divider_ == 0) divider_ = 2 * viewport()->width() / 3;
    const PropertyEditorPlacement placement = PlacePropertyEditors(*row, divider_, LineRect(line));
    const QString value = QString::fromStdString(row->value);
    if (placement.dropDown) {
        QComboBox& dropDown = EnsureDropDown();
        filling_ = true;
        dropDown.setGeometry(ToQRect({divider_, LineRect(line).top, LineRect(line).right, LineRect(line).bottom}));
        dropDown.clear();
        for (const std::string& choice : SplitPropertyOptions(row->options)) dropDown.addItem(QString::fromStdString(choice));
        const int chosen = dropDown.findText(value, Qt::MatchExactly | Qt::MatchCaseSensitive);
        dropDown.setCurrentIndex(chosen < 0 ? 0 : chosen);
        filling_ = false;
        dropDown.show();
        dropDown.setFocus();
    }
    if (placement.button) {
        QPushButton& button = EnsureButton();
        button.setGeometry(ToQRect(*placement.button));
        button.show();
        button.setFocus();
    }
    if (placement.edit) {
        QLineEdit& edit = EnsureEdit();
        edit.setGeometry(ToQRect(*placement.edit));
        edit.show();
        edit.setText(value);
        edit.setFocus();
        // Filling the field counts as a change: the parent hears the value it already had.
        NotifyValueChanged(*row);
    }
}

void CPropertyList::HideEditors() {
    for (QWidget* editor : {static_cast<QWidget*>(dropDown_), static_cast<QWidget*>(edit_), static_cast<QWidget*>(button_)}) {
        if (editor != nullptr) editor->hide();
    }
}

void CPropertyList::NotifyValueChanged(CPropertyItem& row) {
    const std::string value = row.value;
    platform::SendWindowMessage(parentWidget(), platform::kPropertyChangedMessage, reinterpret_cast<std::uintptr_t>(&row),
                                reinterpret_cast<std::intptr_t>(&value));
}

void CPropertyList::OnDropDownChosen(int index) {
    CPropertyItem* row = RowAt(currentRow());
    if (filling_ || row == nullptr || index < 0) return;
    row->value = dropDown_->itemText(index).toStdString();
    NotifyValueChanged(*row);
}

void CPropertyList::OnEditChanged(const QString& text) {
    CPropertyItem* row = RowAt(currentRow());
    if (row == nullptr) return;
    row->value = text.toStdString();
    NotifyValueChanged(*row);
}

void CPropertyList::OnButtonPressed() {
    CPropertyItem* row = RowAt(currentRow());
    if (row == nullptr) return;
    switch (row->kind) {
        case kPropertyColor: {
            const std::optional<platform::ColorRef> color = chooser_->ChooseColor(this, row->color);
            if (!color) return;
            row->color = *color;
            row->value = PropertyColorText(*color);
            break;
        }
        case kPropertyFont: {
            const std::optional<FontChoice> font =
                chooser_->ChooseFont(this, {QString::fromStdString(row->value), row->fontHeight, row->color});
            if (!font) return;
            row->value = font->face.toStdString();
            row->color = font->color;
            row->fontHeight = font->height;
            break;
        }
        case kPropertyFile: {
            const QString value = QString::fromStdString(row->value);
            const qsizetype folderEnd = value.lastIndexOf(QChar(kFileDialogFolderSeparator));
            const QString folder = folderEnd < 0 ? QString() : value.left(folderEnd);
            const std::optional<QString> file =
                chooser_->ChooseOpenFile(this, "Select file", "Gif Files (*.gif)", folder);
            if (!file) return;
            row->value = file->toStdString();
            break;
        }
        default:
            platform::SendWindowMessage(parentWidget(), platform::kPropertyButtonMessage,
                                        reinterpret_cast<std::uintptr_t>(row), 0);
            return;
    }
    button_->hide();
    viewport()->update();
}

void CPropertyList::ToggleGroup(int line) {
    CPropertyItem* header = RowAt(line);
    header->expanded = !header->expanded;
    viewport()->update();
    if (header->group == -1) return;
    const auto start = std::find_if(rows_.begin(), rows_.end(), [header](const CPropertyItem* row) { return row->group == header->group; });
    if (start == rows_.end()) return;
    int inserted = 0;
    for (auto member = start + 1; member != rows_.end() && (*member)->group == header->group; ++member) {
        if (!header->expanded) {
            delete takeItem(line + 1);
            continue;
        }
        insertItem(line + 1 + inserted++, NewLine(*member));
    }
}

void CPropertyList::mousePressEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    if (event->button() == Qt::LeftButton && std::abs(point.x() - divider_) <= kDividerGrabDistance && divider_ != 0) {
        HideEditors();
        draggingDivider_ = true;
        dragX_ = ClampDivider(point.x(), viewport()->width());
        grabMouse(Qt::SplitHCursor);
        return;
    }
    const QModelIndex index = indexAt(point);
    if (index.isValid()) {
        CPropertyItem* row = RowAt(index.row());
        if (row->header && ToQRect(row->box).contains(point)) ToggleGroup(index.row());
    }
    QListWidget::mousePressEvent(event);
}

void CPropertyList::mouseMoveEvent(QMouseEvent* event) {
    const int x = event->position().toPoint().x();
    if (draggingDivider_) {
        dragX_ = ClampDivider(x, viewport()->width());
        viewport()->update();
        return;
    }
    viewport()->setCursor(std::abs(x - divider_) <= kDividerGrabDistance ? Qt::SplitHCursor : Qt::ArrowCursor);
    QListWidget::mouseMoveEvent(event);
}

void CPropertyList::mouseReleaseEvent(QMouseEvent* event) {
    if (!draggingDivider_) {
        QListWidget::mouseReleaseEvent(event);
        return;
    }
    draggingDivider_ = false;
    releaseMouse();
    divider_ = ClampDivider(event->position().toPoint().x(), viewport()->width());
    viewport()->update();
}

void CPropertyList::paintEvent(QPaintEvent* event) {
    QListWidget::paintEvent(event);
    if (!draggingDivider_) return;
    // The drag line inverts what lies under it, so it shows on any colour.
    QPainter painter(viewport());
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.setPen(QPen(Qt::white, 1));
    painter.drawLine(dragX_, 0, dragX_, viewport()->height());
}

void CPropertyList::wheelEvent(QWheelEvent* event) {
    HideEditors();
    setFocus();
    QListWidget::wheelEvent(event);
}

void CPropertyList::scrollContentsBy(int dx, int dy) {
    HideEditors();
    QListWidget::scrollContentsBy(dx, dy);
}

void CPropertyList::resizeEvent(QResizeEvent* event) {
    HideEditors();
    QListWidget::resizeEvent(event);
}

bool CPropertyList::eventFilter(QObject* watched, QEvent* event) {
    const bool isEditor = watched == dropDown_ || watched == edit_;
    // The wheel never changes a drop-down's choice.
    if (watched == dropDown_ && event->type() == QEvent::Wheel) return true;
    if (isEditor && event->type() == QEvent::FocusOut) {
        static_cast<QWidget*>(watched)->hide();
        viewport()->update();
    }
    return QListWidget::eventFilter(watched, event);
}
