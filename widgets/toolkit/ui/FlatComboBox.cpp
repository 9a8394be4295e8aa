// Painting the flat frame and drop button through a device context; the hover tracker follows the
// mouse from the combo box onto its edit part without ending the hover.
#include "FlatComboBox.h"

#include "HlsColor.h"
#include "WidgetCanvas.h"
#include "WindowMessage.h"

#include <QAbstractItemView>
#include <QDockWidget>
#include <QKeyEvent>
#include <QPainter>

namespace {

constexpr int kDropButtonWidth = 17;

void RepaintOnHoverChange(QWidget& widget, CMouseHover& hover) {
    hover.Attach(&widget, CMouseHover::kRepaint, [&widget](std::uint16_t flags) {
        if (flags & CMouseHover::kRepaint) widget.update();
    });
}

// The downward arrow: rows 7, 5, 3 and 1 pixels wide, the tip at (x, y).
void DrawDropArrow(platform::DeviceContext& dc, int x, int y, platform::ColorRef color) {
    for (int row = 0; row < 4; ++row) {
        const int half = row;
        dc.FillSolidRect({x - half, y - row, x + half + 1, y - row + 1}, color);
    }
}

}  // namespace

CFlatEdit::CFlatEdit(CFlatComboBox& combo) : QLineEdit(&combo), combo_(combo) { setFrame(false); }

void CFlatEdit::enterEvent(QEnterEvent* event) {
    QLineEdit::enterEvent(event);
    combo_.Hover().OnMouseMove(this);
}

void CFlatEdit::leaveEvent(QEvent* event) {
    QLineEdit::leaveEvent(event);
    combo_.Hover().OnMouseLeave(this);
}

void CFlatEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    combo_.update();
}

CFlatComboBox::CFlatComboBox(QWidget* parent) : QComboBox(parent) {
    RepaintOnHoverChange(*this, hover_);
    setEditable(true);
    setLineEdit(new CFlatEdit(*this));
    setMaxVisibleItems(kVisibleEntries);
    // The owner's height holds whatever the font: the list, not the field, shows the entries.
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    setMinimumHeight(0);
}

bool CFlatComboBox::IsHot() const {
    const bool focused = hasFocus() || (lineEdit() != nullptr && lineEdit()->hasFocus());
    return focused || hover_.IsHovering() || view()->isVisible();
}

QImage CFlatComboBox::Render() const {
    const QPalette& colours = palette();
    const platform::ColorRef highlight = ui::ToColorRef(colours.color(QPalette::Highlight));
    const platform::ColorRef shadow = ui::ToColorRef(colours.color(QPalette::Dark));
    const platform::ColorRef window = ui::ToColorRef(colours.color(QPalette::Base));
    const platform::ColorRef face = ui::ToColorRef(colours.color(QPalette::Button));
    const bool dropped = view()->isVisible();
    const bool hot = isEnabled() && IsHot();
    platform::DeviceContext dc = ui::MakeCanvas(size());
    dc.FillSolidRect(ui::ToRect(rect()), window);
    const platform::Rect button{width() - kDropButtonWidth, 0, width(), height()};
    dc.SelectObject(platform::Pen::Solid(1, hot ? highlight : shadow));
    const platform::ColorRef hotFill = dropped ? AdjustHLS(highlight, 50, -50) : AdjustHLS(highlight, 70, -57);
    dc.SelectObject(platform::Brush::Solid(hot ? hotFill : face));
    dc.Rectangle(button);
    platform::ColorRef arrow = ui::ToColorRef(colours.color(QPalette::ButtonText));
    if (hot) arrow = platform::Rgb(0, 0, 0);
    if (dropped) arrow = platform::Rgb(0xF0, 0xF0, 0xF0);
    if (!isEnabled()) arrow = ui::ToColorRef(colours.color(QPalette::Disabled, QPalette::Text));
    DrawDropArrow(dc, (button.left + button.right) / 2, (button.top + button.bottom) / 2 + 2, arrow);
    dc.SelectObject(platform::Brush::Null());
    dc.SelectObject(platform::Pen::Solid(1, hot ? highlight : shadow));
    dc.Rectangle(ui::ToRect(rect()));
    const platform::ColorRef inner = isEnabled() ? window : face;
    dc.SelectObject(platform::Pen::Solid(1, inner));
    dc.Rectangle(1, 1, width() - 1 - kDropButtonWidth, height() - 1);
    return ui::CanvasImage(dc);
}

void CFlatComboBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, Render());
}

void CFlatComboBox::enterEvent(QEnterEvent* event) {
    QComboBox::enterEvent(event);
    hover_.OnMouseMove();
}

void CFlatComboBox::leaveEvent(QEvent* event) {
    QComboBox::leaveEvent(event);
    hover_.OnMouseLeave();
}

void CFlatComboBox::focusInEvent(QFocusEvent* event) {
    QComboBox::focusInEvent(event);
    update();
}

void CFlatComboBox::focusOutEvent(QFocusEvent* event) {
    QComboBox::focusOutEvent(event);
    update();
}

bool CFlatComboBox::IsOnDockedBar() const {
    for (const QWidget* ancestor = parentWidget(); ancestor != nullptr; ancestor = ancestor->parentWidget()) {
        if (const auto* bar = qobject_cast<const QDockWidget*>(ancestor)) return !bar->isFloating();
    }
    return false;
}

void CFlatComboBox::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (!IsOnDockedBar() || (!enter && event->key() != Qt::Key_Escape)) {
        QComboBox::keyPressEvent(event);
        return;
    }
    if (enter) {
        platform::SendWindowMessage(window(), kCommandMessage, static_cast<std::uintptr_t>(platform::ControlId(*this).value_or(0)), 0);
        return;
    }
    if (view()->isVisible()) {
        hidePopup();
    } else if (window() != nullptr) {
        window()->setFocus();
    }
}
