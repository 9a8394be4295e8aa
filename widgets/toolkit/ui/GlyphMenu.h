// A menu whose items carry a small image beside their text, loaded from a menu template; its own
// shortcut search answers typed characters.
#pragma once

#include "MenuItems.h"
#include "MenuTemplate.h"

#include <QMenu>

#include <span>

class GlyphMenu : public QMenu {
    Q_OBJECT

  public:
    explicit GlyphMenu(QWidget* parent = nullptr);
    ~GlyphMenu() override;

    // Items from the template; pop-ups become GlyphMenu submenus. False, leaving the menu as it was,
    // for a damaged template.
    bool LoadMenu(std::span<const std::uint8_t> menuTemplate);
    // Appends a command (id not 0) or a separator (id 0) with an optional image.
    QAction* AppendMenu(const QString& text, int commandId, const QIcon& image = {});
    bool IsLoaded() const { return loaded_; }

    // Whether the menu is one of the glyph menus alive now.
    static bool IsGlyphMenu(const QMenu* menu);
    // The answer to a typed character: the first item whose text holds "&" and the character, as
    // position | 0x20000; 0 when none.
    std::uint32_t FindShortcut(char32_t character) const;

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void AddItems(const std::vector<MenuTemplateItem>& items);

    bool loaded_ = false;
};
