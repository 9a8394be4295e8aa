// Preparing popups for the XP look and painting their items. What the preparation keeps aside (the
// original text, the item data) rides on each action as a property, so nothing outlives its menu.
#include "MenuXP.h"

#include "HlsColor.h"
#include "TextLookup.h"
#include "ToolBarEx.h"
#include "WidgetCanvas.h"
#include "WindowMessage.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleOptionMenuItem>

namespace {

constexpr const char* kPreparedProperty = "menuXPPrepared";
constexpr const char* kTextProperty = "menuXPText";
constexpr const char* kItemDataProperty = "menuXPItemData";

std::string LookUpMenuKey(std::string_view key) {
    const std::string text = widgets::LookUpText("Menu", std::string(key));
    // A key the language table lacks keeps showing the key rather than an empty item.
    return text.empty() ? std::string(key) : text;
}

MenuItemText ActionText(const QAction& action) {
    return SplitMenuItemText(action.text().toStdString(), {});
}

QIcon ToolbarImage(QWidget* window, int commandId) {
    if (window == nullptr) return {};
    for (const CToolBarEx* toolbar : window->findChildren<CToolBarEx*>()) {
        if (const QAction* button = toolbar->CommandAction(commandId); button != nullptr && !button->icon().isNull()) {
            return button->icon();
        }
    }
    return {};
}

platform::ColorRef SystemColor(const QPalette& palette, QPalette::ColorRole role) {
    return ui::ToColorRef(palette.color(role));
}

// Paints prepared popups' items in the XP look and leaves everything else to the base style.
class MenuXPStyle : public QProxyStyle {
  public:
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
        const auto* menu = qobject_cast<const QMenu*>(widget);
        const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
        if (element != CE_MenuItem || menu == nullptr || item == nullptr || !CMenuXP::IsOwnerDrawn(menu)) {
            QProxyStyle::drawControl(element, option, painter, widget);
            return;
        }
        const QAction* action = menu->actionAt(item->rect.center());
        const int position = action == nullptr ? -1 : static_cast<int>(menu->actions().indexOf(const_cast<QAction*>(action)));
        if (position < 0) {
            QProxyStyle::drawControl(element, option, painter, widget);
            return;
        }
        painter->drawImage(item->rect.topLeft(),
                           CMenuXP::RenderItem(menu, position, item->rect.size(), item->state & State_Selected));
    }
};

MenuXPStyle& XPStyle() {
    static auto* style = new MenuXPStyle;
    return *style;
}

}  // namespace

bool CMenuXP::IsHooked(const QWidget* window) { return window != nullptr && window->property(kHookProperty).toBool(); }

void CMenuXP::SetHooked(QWidget& window, bool hooked) { window.setProperty(kHookProperty, hooked); }

void CMenuXP::OnInitMenuPopup(QWidget* window, QMenu* menu, bool enabled, const MenuTextLookup& lookup) {
    if (!enabled || menu == nullptr) return;
    const MenuTextLookup& translate = lookup ? lookup : MenuTextLookup(LookUpMenuKey);
    int widestLabel = 0;
    int widestShortcut = 0;
    const QFontMetrics metrics(menu->font());
    for (QAction* action : menu->actions()) {
        if (action->isSeparator()) continue;
        if (!action->property(kTextProperty).isValid()) action->setProperty(kTextProperty, action->text());
        const MenuItemText text = SplitMenuItemText(action->property(kTextProperty).toString().toStdString(), translate);
        action->setText(QString::fromStdString(text.shortcut.empty() ? text.label : text.label + "\t" + text.shortcut));
        const std::optional<int> id = platform::CommandId(*action);
        if (id && action->icon().isNull()) action->setIcon(ToolbarImage(window, *id));
        widestLabel = std::max(widestLabel, metrics.horizontalAdvance(QString::fromStdString(LabelWithoutMnemonic(text.label))));
        widestShortcut = std::max(widestShortcut, metrics.horizontalAdvance(QString::fromStdString(text.shortcut)));
    }
    const std::uint32_t data = PackMenuItemData(MenuXPItemHeight(metrics.height()), widestShortcut, widestLabel);
    for (QAction* action : menu->actions()) {
        if (!action->isSeparator()) action->setProperty(kItemDataProperty, data);
    }
    menu->setProperty(kPreparedProperty, true);
    menu->setStyle(&XPStyle());
}

bool CMenuXP::IsOwnerDrawn(const QMenu* menu) { return menu != nullptr && menu->property(kPreparedProperty).toBool(); }

std::uint32_t CMenuXP::ItemData(const QMenu* menu, int position) {
    if (!IsOwnerDrawn(menu)) return 0;
    const QAction* action = menu->actions().value(position);
    return action == nullptr ? 0 : action->property(kItemDataProperty).toUInt();
}

std::uint32_t CMenuXP::OnMenuChar(const QMenu* menu, char32_t character) {
    if (!IsOwnerDrawn(menu)) return 0;
    std::vector<std::string> labels;
    for (const QAction* action : menu->actions()) labels.push_back(action->isSeparator() ? std::string() : ActionText(*action).label);
    return MenuCharAnswer(labels, character);
}

QImage CMenuXP::RenderItem(const QMenu* menu, int position, QSize size, bool selected) {
    const QAction* action = menu->actions().value(position);
    const QPalette& palette = menu->palette();
    const platform::ColorRef face = SystemColor(palette, QPalette::Button);
    const platform::ColorRef highlight = SystemColor(palette, QPalette::Highlight);
    platform::DeviceContext dc = ui::MakeCanvas(size);
    dc.FillSolidRect({0, 0, kImageStripWidth, size.height()}, AdjustHLS(face, 20, 0));
    dc.FillSolidRect({kImageStripWidth, 0, size.width(), size.height()}, AdjustHLS(face, 75, 0));
    if (action == nullptr) return ui::CanvasImage(dc);
    const bool enabled = action->isEnabled();
    if (action->isSeparator()) {
        dc.FillSolidRect({kImageStripWidth + 4, size.height() / 2, size.width(), size.height() / 2 + 1}, AdjustHLS(face, -18, 0));
        return ui::CanvasImage(dc);
    }
    if (selected) {
        dc.SelectObject(platform::Pen::Solid(1, highlight));
        dc.SelectObject(platform::Brush::Solid(enabled ? AdjustHLS(highlight, 70, -57) : AdjustHLS(face, 73, 0)));
        dc.Rectangle(0, 0, size.width(), size.height());
    }
    if (action->isChecked()) {
        dc.SelectObject(platform::Pen::Solid(1, highlight));
        dc.SelectObject(platform::Brush::Solid(selected ? AdjustHLS(highlight, 50, -50) : AdjustHLS(highlight, 70, -57)));
        dc.Rectangle(1, 1, kImageStripWidth - 1, size.height() - 1);
    }
    QImage image = ui::CanvasImage(dc);
    QPainter painter(&image);
    if (!action->icon().isNull()) {
        const int side = std::min(16, size.height() - 2);
        action->icon().paint(&painter, QRect(3, (size.height() - side) / 2, side, side), Qt::AlignCenter,
                             enabled ? QIcon::Normal : QIcon::Disabled);
    }
    const MenuItemText text = ActionText(*action);
    painter.setPen(enabled ? palette.color(QPalette::WindowText) : ui::ToQColor(AdjustHLS(face, -18, 0)));
    QFont font = menu->font();
    font.setBold(menu->defaultAction() == action);
    painter.setFont(font);
    const QRect textArea(kImageStripWidth + 6, 0, size.width() - kImageStripWidth - 12, size.height());
    painter.drawText(textArea, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic, QString::fromStdString(text.label));
    painter.drawText(textArea, Qt::AlignRight | Qt::AlignVCenter, QString::fromStdString(text.shortcut));
    return image;
}
