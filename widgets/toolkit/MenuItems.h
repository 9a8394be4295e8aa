// The menus' item arithmetic without a window: the XP menus' item texts, packed item data, measures and
// keyboard mnemonics, and the glyph menu's measures, colour lightening, shortcut search and the system
// class that picks its look.
#pragma once

#include "GdiTypes.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

// An item's text split at its first tab into the label and the shortcut text.
struct MenuItemText {
    std::string label;
    std::string shortcut;
};

// A text holding "MU" is a key of the language table's "Menu" section and is looked up first.
using MenuTextLookup = std::function<std::string(std::string_view key)>;
MenuItemText SplitMenuItemText(std::string_view text, const MenuTextLookup& lookup);

// Item data of an XP menu item: bits 0-7 the item height, 8-15 the widest shortcut (low 8 bits),
// 16-31 the widest label.
std::uint32_t PackMenuItemData(int height, int widestShortcut, int widestLabel);
// The size an item asks for: a menu bar item (height byte 0) is its label + 43 wide, a popup item its
// label + shortcut + 78.
platform::Size MeasureMenuXPItem(std::uint32_t itemData);
// The item height of a popup: max(text height + 2, 16) + 4.
int MenuXPItemHeight(int textHeight);

// The answer to a typed character in a popup: the index of the first label that marks it with "&"
// (compared in upper case) in the low word and the execute code 2 in the high word; 0 when no label
// marks it. "&&" stands for a plain ampersand and marks nothing; a "&" as the last character marks
// nothing.
constexpr std::uint32_t kMenuCharExecute = 2;
std::uint32_t MenuCharAnswer(std::span<const std::string> labels, char32_t character);
// The label without its first "&".
std::string LabelWithoutMnemonic(std::string_view label);

// The glyph menu's shortcut search: "&" and the character, lower-cased, anywhere in the item's text; the
// first item found, with the execute code in the high word (position | 0x20000); 0 when none.
std::uint32_t GlyphMenuFindShortcut(std::span<const std::string> texts, char32_t character);

// Each channel moves towards 255 by the factor (0 ... 1), truncated; other factors leave the colour.
platform::ColorRef LightenColor(platform::ColorRef color, double factor);

// The platform class that decides the look. Without a version of the other platform this system has
// the plain class 1, and its theme test sees no theme: the classic look.
int WindowsClass();
bool IsClassicTheme();

struct GlyphMenuMetrics {
    int imageWidth = 16;
    int imageHeight = 15;
    int systemMenuHeight = 19;
    bool xpLook = false;
    bool xp3dImages = true;
};
int GlyphMenuGap(const GlyphMenuMetrics& metrics);
platform::Size MeasureGlyphSeparator(const GlyphMenuMetrics& metrics);
platform::Size MeasureGlyphItem(const GlyphMenuMetrics& metrics, int textWidth);
