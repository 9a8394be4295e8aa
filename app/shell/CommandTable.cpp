// The command table of the main window and its enable and check rules.
#include "CommandTable.h"

#include <algorithm>

#include "CutrixAssert.h"

#include "SettingsGlobals.h"

namespace {

constexpr std::uint32_t kViewGroup = 0x1000;
constexpr std::uint32_t kDrawGroup = 0x2000;
constexpr std::uint32_t kSelectGroup = 0x4000;
constexpr std::uint32_t kNodeGroup = 0x8000;
constexpr std::uint32_t kCutPickGroup = 0x10000;
constexpr std::uint32_t kSelectToolBits = 0x21;

using E = EnableRule;
using C = CheckRule;

constexpr CommandEntry Item(std::uint32_t id, std::string_view key, std::string_view popup,
                            std::string_view shortcut, EnableRule enable, CheckRule check = C::kNone,
                            int value = 0) {
    return {id, key, key, popup, {}, shortcut, enable, check, 0, 0, 0, value};
}

constexpr CommandEntry Tool(std::uint32_t id, std::string_view key, std::string_view popup,
                            std::string_view shortcut, std::uint32_t group, std::uint32_t bit) {
    return {id, key, key, popup, {}, shortcut, E::kTool, C::kTool, group, bit, group | bit, 0};
}

constexpr CommandEntry InSubmenu(CommandEntry entry, std::string_view submenu) {
    entry.submenu = submenu;
    return entry;
}

// The item's menu text comes from another key than its command's.
constexpr CommandEntry WithText(CommandEntry entry, std::string_view textKey) {
    entry.textKey = textKey;
    return entry;
}

constexpr int BarNumber(Bar bar) {
    return static_cast<int>(bar);
}

constexpr CommandEntry kCommands[] = {
    Item(57600, "MU11", "MU1", "Ctrl+N", E::kDefault),
    Item(57601, "MU12", "MU1", "Ctrl+O", E::kDefault),
    Item(57603, "MU13", "MU1", "Ctrl+S", E::kDefault),
    Item(57604, "MU14", "MU1", "", E::kDefault),
    Item(32771, "MU15", "MU1", "Ctrl+I", E::kDefault),
    Item(32772, "MU16", "MU1", "Ctrl+E", E::kHasElements),
    Item(40045, "MU17", "MU1", "", E::kDefault),
    Item(57616, "MU18", "MU1", "", E::kDefault),
    Item(57665, "MU19", "MU1", "", E::kDefault),

    Item(57643, "MU21", "MU2", "Ctrl+Z", E::kUndo),
    Item(57644, "MU22", "MU2", "Ctrl+Y", E::kRedo),
    Item(57635, "MU23", "MU2", "Ctrl+X", E::kSelection),
    Item(57634, "MU24", "MU2", "Ctrl+C", E::kSelection),
    Item(57637, "MU25", "MU2", "Ctrl+V", E::kAlways),
    Item(32781, "MU26", "MU2", "Del", E::kSelection),
    Tool(32773, "MU27", "MU2", "", kViewGroup, 0x1),
    Tool(32774, "MU28", "MU2", "", kViewGroup, 0x2),
    Tool(32775, "MU29", "MU2", "", kViewGroup, 0x4),
    Tool(32891, "MU2A", "MU2", "", kViewGroup, 0x8),
    Item(32777, "MU2B", "MU2", "", E::kDefault),
    Item(32778, "MU2C", "MU2", "", E::kSelection),
    Item(40059, "MU2U", "MU2", "", E::kDefault),
    Item(40046, "MU2D", "MU2", "", E::kDefault),
    Item(32893, "MU2E", "MU2", "", E::kAlways, C::kShowPath),
    Item(40004, "MU2F", "MU2", "", E::kSelection),
    Item(40002, "MU2G", "MU2", "", E::kHasElements),
    Tool(32779, "MU2H", "MU2", "", kCutPickGroup, 0x2),
    Tool(32780, "MU2I", "MU2", "", kCutPickGroup, 0x4),
    Item(32782, "MU2J", "MU2", "Ctrl+A", E::kDefault),
    Item(40021, "MU2K", "MU2", "", E::kAlways),
    Item(40022, "MU2L", "MU2", "", E::kAlways),
    InSubmenu(Item(40035, "MU2N", "MU2", "", E::kNodePending), "MU2M"),
    InSubmenu(Item(40036, "MU2O", "MU2", "", E::kNodeSelection), "MU2M"),
    InSubmenu(Item(40038, "MU2P", "MU2", "", E::kNodeCombinable), "MU2M"),
    InSubmenu(Item(40039, "MU2Q", "MU2", "", E::kNodeSelection), "MU2M"),
    // The texts of these two are each other's: each item shows the text that says what its handler does
    // (40040 turns the marked segments into lines, 40043 into curves).
    InSubmenu(WithText(Item(40040, "MU2R", "MU2", "", E::kNodeSelection), "MU2S"), "MU2M"),
    InSubmenu(WithText(Item(40043, "MU2S", "MU2", "", E::kNodeSelection), "MU2R"), "MU2M"),
    Item(40055, "MU2T", "MU2", "", E::kAlways),

    {32784, "MU31", "MU31", "MU3", {}, "Ctrl+1", E::kDefault, C::kSelectTool, kSelectGroup, 0x1, 0x4001, 0},
    Tool(40012, "MU32", "MU3", "Ctrl+2", kNodeGroup, 0x1),
    Tool(32785, "MU33", "MU3", "Ctrl+3", kDrawGroup, 0x1),
    Tool(32786, "MU36", "MU3", "Ctrl+4", kDrawGroup, 0x2),
    Tool(32787, "MU37", "MU3", "Ctrl+5", kDrawGroup, 0x4),
    Tool(32788, "MU34", "MU3", "Ctrl+6", kDrawGroup, 0x10),
    Tool(32789, "MU38", "MU3", "Ctrl+7", kDrawGroup, 0x8),
    Tool(40011, "MU39", "MU3", "Ctrl+8", kDrawGroup, 0x20),
    Tool(40009, "MU35", "MU3", "", kDrawGroup, 0x40),
    Item(40020, "MU3A", "MU3", "", E::kAlways),
    Item(32792, "MU3B", "MU3", "", E::kSelection),
    Item(32793, "MU3C", "MU3", "", E::kSelection),
    Item(32795, "MU3E", "MU3", "", E::kSelection),
    Item(32794, "MU3D", "MU3", "", E::kSelection),
    InSubmenu(Item(32796, "MU3G", "MU3", "", E::kTwoSelected), "MU3F"),
    InSubmenu(Item(32797, "MU3H", "MU3", "", E::kTwoSelected), "MU3F"),
    InSubmenu(Item(32798, "MU3I", "MU3", "", E::kTwoSelected), "MU3F"),
    InSubmenu(Item(32799, "MU3J", "MU3", "", E::kTwoSelected), "MU3F"),
    InSubmenu(Item(32800, "MU3K", "MU3", "", E::kTwoSelected), "MU3F"),
    InSubmenu(Item(32801, "MU3L", "MU3", "", E::kTwoSelected), "MU3F"),
    InSubmenu(Item(32802, "MU3M", "MU3", "", E::kSelection), "MU3F"),
    InSubmenu(Item(40005, "MU3N", "MU3", "", E::kTwoSelected), "MU3F"),
    InSubmenu(Item(40006, "MU3O", "MU3", "", E::kTwoSelected), "MU3F"),
    InSubmenu(Item(40007, "MU3P", "MU3", "", E::kTwoSelected), "MU3F"),
    InSubmenu(Item(40008, "MU3Q", "MU3", "", E::kTwoSelected), "MU3F"),
    InSubmenu(Item(40010, "MU3R", "MU3", "", E::kTwoSelected), "MU3F"),
    InSubmenu(Item(40026, "MU3S", "MU3", "", E::kAlways), "MU3F"),
    InSubmenu(Item(40027, "MU3T", "MU3", "", E::kAlways), "MU3F"),
    InSubmenu(Item(40028, "MU3U", "MU3", "", E::kAlways), "MU3F"),
    InSubmenu(Item(40030, "MU3V", "MU3", "", E::kAlways), "MU3F"),

    Item(32803, "MU41", "MU4", "", E::kAlways),
    Item(32833, "MU42", "MU4", "", E::kAlways),
    Item(32809, "MU43", "MU4", "", E::kDefault),
    Item(32811, "MU45", "MU4", "", E::kDefault, C::kFillDisplay),
    Item(40024, "MU46", "MU4", "", E::kDefault, C::kShowArray),

    Item(40013, "MU51", "MU5", "", E::kSelection),
    Item(40014, "MU52", "MU5", "", E::kBitmapSelected),
    Item(40015, "MU53", "MU5", "", E::kSelection),
    Item(40016, "MU54", "MU5", "", E::kAlways),
    Item(40001, "MU55", "MU5", "", E::kSelection),
    Item(40003, "MU56", "MU5", "", E::kSelection),
    Item(40049, "MU57", "MU5", "", E::kSelection),
    Item(40053, "MU58", "MU5", "", E::kAlways),
    Item(40060, "MU59", "MU5", "", E::kSelection),

    Item(59392, "MU61", "MU6", "", E::kDefault, C::kBarVisible, BarNumber(Bar::kSystem)),
    Item(59393, "MU62", "MU6", "", E::kDefault, C::kBarVisible, BarNumber(Bar::kStatus)),
    Item(32812, "MU63", "MU6", "", E::kDefault, C::kBarVisible, BarNumber(Bar::kDraw)),
    Item(32813, "MU64", "MU6", "", E::kDefault, C::kBarVisible, BarNumber(Bar::kProperty)),
    Item(32814, "MU65", "MU6", "", E::kDefault, C::kBarVisible, BarNumber(Bar::kArrange)),
    Item(32815, "MU66", "MU6", "", E::kDefault, C::kBarVisible, BarNumber(Bar::kLayerColor)),
    Item(32887, "MU67", "MU6", "", E::kDefault, C::kBarVisible, BarNumber(Bar::kDockingPlat)),
    Item(40052, "MU68", "MU6", "", E::kDefault, C::kBarVisible, BarNumber(Bar::kProcessCtrl)),

    Item(57664, "MU71", "MU7", "", E::kDefault),
    InSubmenu(Item(32898, "MU73", "MU7", "", E::kDefault, C::kLanguage, 0), "MU72"),
    InSubmenu(Item(32899, "MU74", "MU7", "", E::kDefault, C::kLanguage, 1), "MU72"),
    InSubmenu(Item(32900, "MU75", "MU7", "", E::kDefault, C::kLanguage, 2), "MU72"),
    InSubmenu(Item(32901, "MU76", "MU7", "", E::kDefault, C::kLanguage, 3), "MU72"),

    {32791, "MENUDRAWROTATE", "MENUDRAWROTATE", {}, {}, "", E::kSelection, C::kNone, 0, 0, 0x4400, 0},
};

// The dialogs of the settings, the parameter and editing tools, the graphic hatch and the process-control
// panel; then the docking panel's pages, by their dialog template (no command id lies below 32768).
constexpr std::uint32_t kLaterCommands[] = {
    40045, 32803, 40014, 40015, 40060, 40052, 130,   126,   187,   127,   114,   120,
};

bool HasToolBits(std::uint32_t toolMode, std::uint32_t group, std::uint32_t bits) {
    return (toolMode & group) != 0 && (toolMode & bits) != 0;
}

}  // namespace

std::span<const CommandEntry> CommandTable() {
    return kCommands;
}

const CommandEntry* FindCommand(std::uint32_t id) {
    const auto found = std::ranges::find(kCommands, id, &CommandEntry::id);
    return found == std::end(kCommands) ? nullptr : &*found;
}

CommandRegistry::CommandRegistry() : entries_(std::begin(kCommands), std::end(kCommands)) {}

void CommandRegistry::Register(std::span<const CommandBinding> bindings) {
    for (const CommandBinding& binding : bindings) {
        const auto entry = std::ranges::find(entries_, binding.id, &CommandEntry::id);
        CUTRIX_ASSERT(entry != entries_.end());
        CUTRIX_ASSERT(binding.handler != nullptr);
        CUTRIX_ASSERT(entry->handler == nullptr);
        entry->handler = binding.handler;
    }
}

const CommandEntry* CommandRegistry::Find(std::uint32_t id) const {
    const auto found = std::ranges::find(entries_, id, &CommandEntry::id);
    return found == entries_.end() ? nullptr : &*found;
}

std::span<const std::uint32_t> LaterCommands() {
    return kLaterCommands;
}

bool IsLaterCommand(std::uint32_t id) {
    return std::ranges::find(kLaterCommands, id) != std::end(kLaterCommands);
}

std::string LaterCommandStatusText() {
    return LanguageIndex == kLanguageSimplifiedChinese ? "此功能在本版本中尚不可用"
                                                       : "This function is not available in this version yet";
}

bool IsNodeEditMode(std::uint32_t toolMode) {
    return HasToolBits(toolMode, kNodeGroup, 0x1);
}

bool IsCommandEnabled(const CommandEntry& command, const CommandState& state) {
    if (IsLaterCommand(command.id)) {
        return false;
    }
    const bool nodeEdit = IsNodeEditMode(state.toolMode);
    switch (command.enable) {
        case E::kDefault:
        case E::kAlways:
        case E::kTool:
            return true;
        case E::kSelection:
            return state.selectionCount >= 1;
        case E::kTwoSelected:
            return state.selectionCount >= 2;
        case E::kHasElements:
            return state.elementCount >= 1;
        case E::kBitmapSelected:
            return state.bitmapSelected;
        case E::kUndo:
            return state.canUndo;
        case E::kRedo:
            return state.canRedo;
        case E::kNodeSelection:
            return nodeEdit && state.nodeSelectionCount >= 1;
        case E::kNodePending:
            return nodeEdit && state.nodePointPending;
        case E::kNodeCombinable:
            return nodeEdit && state.nodesCombinable;
    }
    return false;
}

bool IsCommandChecked(const CommandEntry& command, const CommandState& state) {
    switch (command.check) {
        case C::kNone:
            return false;
        case C::kTool:
            return HasToolBits(state.toolMode, command.toolGroup, command.toolBit);
        case C::kSelectTool:
            return HasToolBits(state.toolMode, kSelectGroup, kSelectToolBits);
        case C::kShowPath:
            return state.showPath;
        case C::kFillDisplay:
            return state.fillDisplay;
        case C::kShowArray:
            return state.showArray;
        case C::kLanguage:
            return state.languageIndex == command.value;
        case C::kBarVisible:
            return command.value >= 0 && command.value < static_cast<int>(state.barVisible.size()) &&
                   state.barVisible[static_cast<std::size_t>(command.value)];
    }
    return false;
}

std::uint32_t ToolModeAfter(const CommandEntry& command, std::uint32_t toolMode) {
    return command.toolMode != 0 ? command.toolMode : toolMode;
}
