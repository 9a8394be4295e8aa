#include "GlyphMenu.h"

#include "WindowMessage.h"

#include <QKeyEvent>

#include <unordered_set>
#include <vector>

namespace {

std::unordered_set<const QMenu*>& Registry() {
    static std::unordered_set<const QMenu*> menus;
    return menus;
}

}  // namespace

GlyphMenu::GlyphMenu(QWidget* parent) : QMenu(parent) { Registry().insert(this); }

GlyphMenu::~GlyphMenu() { Registry().erase(this); }

bool GlyphMenu::IsGlyphMenu(const QMenu* menu) { return Registry().contains(menu); }

bool GlyphMenu::LoadMenu(std::span<const std::uint8_t> menuTemplate) {
    const std::optional<std::vector<MenuTemplateItem>> items = ParseMenuTemplate(menuTemplate);
    if (!items) return false;
    clear();
    AddItems(*items);
    loaded_ = true;
    return true;
}

void GlyphMenu::AddItems(const std::vector<MenuTemplateItem>& items) {
    for (const MenuTemplateItem& item : items) {
        const QString text = QString::fromStdString(item.text);
        if (item.IsPopup()) {
            auto* submenu = new GlyphMenu(this);
            submenu->setTitle(text);
            submenu->AddItems(item.children);
            addMenu(submenu);
            continue;
        }
        AppendMenu(text, item.commandId);
    }
}

QAction* GlyphMenu::AppendMenu(const QString& text, int commandId, const QIcon& image) {
    if (commandId == 0 && text.isEmpty()) return addSeparator();
    QAction* action = addAction(image, text);
    platform::SetCommandId(*action, commandId);
    return action;
}

std::uint32_t GlyphMenu::FindShortcut(char32_t character) const {
    std::vector<std::string> texts;
    for (const QAction* action : actions()) texts.push_back(action->text().toStdString());
    return GlyphMenuFindShortcut(texts, character);
}

void GlyphMenu::keyPressEvent(QKeyEvent* event) {
    const QString typed = event->text();
    if (typed.size() == 1) {
        const std::uint32_t answer = FindShortcut(typed[0].unicode());
        if (answer != 0) {
            QAction* chosen = actions().value(static_cast<qsizetype>(answer & 0xFFFF));
            if (chosen != nullptr && chosen->isEnabled()) {
                if (chosen->menu() == nullptr) {
                    chosen->trigger();
                    close();
                    return;
                }
                setActiveAction(chosen);
            }
        }
    }
    QMenu::keyPressEvent(event);
}
