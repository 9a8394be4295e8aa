// The XP look of menus: popups of a window that carries the property "XPWndProp_MenuXP" are prepared
// when they open (texts kept aside and language keys translated, toolbar images found for commands)
// and painted by a proxy style with an image strip, a light highlight box and the XP colours.
#pragma once

#include "MenuItems.h"

#include <QImage>

#include <cstdint>

class QMainWindow;
class QMenu;
class QStyleOptionMenuItem;
class QWidget;

class CMenuXP {
  public:
    static constexpr const char* kHookProperty = "XPWndProp_MenuXP";
    static constexpr int kImageStripWidth = 22;

    // Whether the window asks for the XP look.
    static bool IsHooked(const QWidget* window);
    static void SetHooked(QWidget& window, bool hooked);

    // Prepares the popup when enabled: texts by command id, language keys looked up through `lookup`
    // (the "Menu" section of the language table by default), toolbar images of the frame's toolbars,
    // item data, and the XP style.
    static void OnInitMenuPopup(QWidget* window, QMenu* menu, bool enabled, const MenuTextLookup& lookup = {});
    // The answer to a typed character in a prepared popup (see MenuCharAnswer); 0 for an unprepared one.
    static std::uint32_t OnMenuChar(const QMenu* menu, char32_t character);
    static bool IsOwnerDrawn(const QMenu* menu);
    // The item data given to an action of a prepared popup; 0 for others.
    static std::uint32_t ItemData(const QMenu* menu, int position);

    // One popup item as the XP look paints it, at the given size.
    static QImage RenderItem(const QMenu* menu, int position, QSize size, bool selected);
};
