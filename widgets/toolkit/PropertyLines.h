// The property list's lines without a window: the row record, the choices of a drop-down row, where each
// editor goes over a line, and the limits of the divider.
#pragma once

#include "GdiTypes.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Editor kinds; the numbers are the interface with the pages that build the rows.
enum PropertyKind : std::int32_t {
    kPropertyChoice = 0,      // drop-down list of the options
    kPropertyText = 1,        // edit field
    kPropertyColor = 2,       // "..." opens the colour dialog
    kPropertyFont = 3,        // "..." opens the font dialog
    kPropertyFile = 4,        // "..." opens the file dialog
    kPropertyTextButton = 5,  // edit field and "..." that asks the parent
    kPropertyButton = 6,      // "..." over the whole value column that asks the parent, even when locked
};

// One row, created and owned by the window that fills the list; the list holds pointers to it.
struct CPropertyItem {
    CPropertyItem(std::string name, std::string value, std::int32_t kind, std::string options, bool locked,
                  bool header, std::int32_t group)
        : name(std::move(name)),
          value(std::move(value)),
          kind(kind),
          options(std::move(options)),
          locked(locked),
          header(header),
          group(group) {}

    std::string name;
    std::string value;
    std::int32_t kind = kPropertyChoice;
    std::string options;  // each choice followed by "|"
    bool locked = false;
    std::int32_t fontHeight = 30;
    platform::ColorRef color = 0;
    bool header = false;
    platform::Rect box;  // the plus/minus box as last painted
    bool expanded = true;
    std::int32_t group = -1;
};

constexpr std::int32_t kPropertyLineHeight = 20;
// Presses this close to the divider (either side, inclusive) grab it.
constexpr std::int32_t kDividerGrabDistance = 5;
// A dragged divider stays this far from the list's left and right edges.
constexpr std::int32_t kDividerLeftLimit = 30;
constexpr std::int32_t kDividerRightLimit = 10;

// The choices: every text that a "|" ends; text after the last "|" is no choice.
std::vector<std::string> SplitPropertyOptions(std::string_view options);

// "%Xh" of a colour reference.
std::string PropertyColorText(platform::ColorRef color);

// Where the editors of a line go; nothing for an editor the line does not open.
struct PropertyEditorPlacement {
    bool dropDown = false;
    std::optional<platform::Rect> edit;
    std::optional<platform::Rect> button;
};
PropertyEditorPlacement PlacePropertyEditors(const CPropertyItem& item, std::int32_t divider, platform::Rect line);

// The divider for a drag released at x in a list `width` pixels wide.
std::int32_t ClampDivider(std::int32_t x, std::int32_t width);
