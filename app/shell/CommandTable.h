// The main window's commands as data: id, language key, where the item sits in the menu, its shortcut,
// the rules that enable and check it over a record of the program's state, and the handler that runs
// it. The layout of the menu lies here; each family of commands registers the handlers of its rows
// (CommandRegistry), so that a new family is a file of its own and the main window only routes.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class ShellContext;
struct CommandEntry;

// Runs a command over the shell: the drawing, the document and the main window's services.
using CommandHandler = void (*)(ShellContext& shell, const CommandEntry& command);

// When a command is enabled.
enum class EnableRule : std::uint8_t {
    kDefault,  // the framework's rule: enabled, since every command in the table has a handler
    kAlways,
    kSelection,       // at least one element selected
    kTwoSelected,     // at least two elements selected
    kHasElements,     // the drawing has elements
    kBitmapSelected,  // a bitmap element is among the selection
    kUndo,            // the history can step back
    kRedo,            // the history can step forward
    kNodeSelection,   // node editing with at least one node marked
    kNodePending,     // node editing with a clicked point waiting for a node
    kNodeCombinable,  // node editing with two marked nodes that may be joined
    kTool,            // always enabled; checked by the tool rule
};

// When a command is checked.
enum class CheckRule : std::uint8_t {
    kNone,
    kTool,        // the tool mode has the command's group bit and tool bit
    kSelectTool,  // the tool mode has 0x4000 and one of 0x21
    kShowPath,
    kFillDisplay,
    kShowArray,
    kLanguage,    // LanguageIndex equals the command's value
    kBarVisible,  // the bar numbered by the command's value is shown
};

// The bars that View toggles, numbered as in CommandState::barVisible.
// kSystem and kStatus are the framework's own toggles of the system toolbar and the status bar.
enum class Bar : std::uint8_t {
    kDraw,
    kProperty,
    kArrange,
    kLayerColor,
    kDockingPlat,
    kProcessCtrl,
    kSystem,
    kStatus,
    kCount
};

struct CommandEntry {
    std::uint32_t id;
    std::string_view key;      // the command's key: status prompt and tooltip come from "MenuPrompt"
    std::string_view textKey;  // the menu text's key in "Menu"
    std::string_view popup;    // the popup that holds the item ("MU1" .. "MU7"); empty: toolbar only
    std::string_view submenu;  // the submenu within the popup ("MU2M", "MU3F", "MU72"), or empty
    std::string_view shortcut;
    EnableRule enable;
    CheckRule check = CheckRule::kNone;
    std::uint32_t toolGroup = 0;       // tool mode groups: 0x1000 view, 0x2000 draw, 0x4000 select, 0x8000
    std::uint32_t toolBit = 0;         // node edit, 0x10000 cut point and direction
    std::uint32_t toolMode = 0;        // the tool mode the command sets, 0 for none
    int value = 0;                     // language index or bar number
    CommandHandler handler = nullptr;  // null in the layout and for a later command
};

// What the enable and check rules look at.
struct CommandState {
    std::uint32_t toolMode = 0x4001;
    int elementCount = 0;
    int selectionCount = 0;
    bool bitmapSelected = false;
    int nodeSelectionCount = 0;
    bool nodePointPending = false;
    bool nodesCombinable = false;
    bool canUndo = false;
    bool canRedo = false;
    bool showPath = false;
    bool fillDisplay = false;
    bool showArray = true;
    int languageIndex = 0;
    std::array<bool, static_cast<std::size_t>(Bar::kCount)> barVisible{};
};

// Every command, in menu order (the toolbar-only rotate command last), without handlers: the layout
// that menus and toolbars are built from.
std::span<const CommandEntry> CommandTable();
// The command of the id; null for one the table does not hold.
const CommandEntry* FindCommand(std::uint32_t id);

// A family's handler for one command id of the table.
struct CommandBinding {
    std::uint32_t id;
    CommandHandler handler;
};

// The table with the handlers the families registered. A command has one handler at most: a second
// one, a null one, or an id that the table does not hold stops the program, since a menu item would
// then run something other than what its row says.
class CommandRegistry {
  public:
    CommandRegistry();

    void Register(std::span<const CommandBinding> bindings);
    // In menu order, as CommandTable, each row with its handler once registered.
    std::span<const CommandEntry> Entries() const { return entries_; }
    const CommandEntry* Find(std::uint32_t id) const;

  private:
    std::vector<CommandEntry> entries_;
};

// Commands whose dialogs or libraries the program does not have yet, and the docking panel's pages not
// built yet (by their dialog template id). They stay disabled in menus, bars and tabs and say so in the
// status bar; this list shrinks as they arrive.
std::span<const std::uint32_t> LaterCommands();
bool IsLaterCommand(std::uint32_t id);
// The one status text of every later command.
std::string LaterCommandStatusText();

bool IsCommandEnabled(const CommandEntry& command, const CommandState& state);
bool IsCommandChecked(const CommandEntry& command, const CommandState& state);

// The tool mode after a tool command: the command's mode, else the mode as it was.
std::uint32_t ToolModeAfter(const CommandEntry& command, std::uint32_t toolMode);
// Node editing: the node-edit group with its tool bit.
bool IsNodeEditMode(std::uint32_t toolMode);
