// Menu templates as byte blobs in the standard layout: a version word and a header size word, then the
// items from 4 bytes past the header size: a flags word, a command id word (absent for pop-ups) and a
// zero-terminated UTF-16 text; the flag 0x80 ends a level. Read with bounds.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

enum MenuTemplateFlags : std::uint16_t {
    kMenuPopup = 0x10,
    kMenuEnd = 0x80,
    kMenuSeparatorFlag = 0x800,
};

struct MenuTemplateItem {
    std::uint16_t flags = 0;
    std::uint16_t commandId = 0;  // 0 for pop-ups and separators
    std::string text;             // UTF-8
    std::vector<MenuTemplateItem> children;

    bool IsPopup() const { return (flags & kMenuPopup) != 0; }
    bool IsSeparator() const { return !IsPopup() && commandId == 0 && text.empty(); }
};

// Levels deeper than this are refused: a template is never that deep, and a damaged one must not recurse
// without end.
constexpr int kMenuTemplateMaxDepth = 16;

// The top-level items; nothing when the bytes end inside an item, a level has no end, or the nesting is
// too deep.
std::optional<std::vector<MenuTemplateItem>> ParseMenuTemplate(std::span<const std::uint8_t> bytes);
std::vector<std::uint8_t> EncodeMenuTemplate(const std::vector<MenuTemplateItem>& items);
