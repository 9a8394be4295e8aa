// The command table: its rules over the state record, the swapped node-command texts, and the commands
// that stand disabled until their dialogs exist.
#include <gtest/gtest.h>

#include <set>

#include "CommandTable.h"
#include "DrawingOperation.h"
#include "EditCommands.h"
#include "LanguageTexts.h"
#include "SettingsGlobals.h"

namespace {

const CommandEntry& Command(std::uint32_t id) {
    const CommandEntry* command = FindCommand(id);
    EXPECT_NE(command, nullptr) << id;
    static const CommandEntry none{};
    return command != nullptr ? *command : none;
}

CommandState NodeEditing(int markedNodes) {
    CommandState state;
    state.toolMode = 0x8001;
    state.nodeSelectionCount = markedNodes;
    state.selectionCount = 1;
    return state;
}

TEST(CommandTableTest, IdsAreUniqueAndEveryMenuItemHasAText) {
    LanguageIndex = kLanguageEnglish;
    WriteDefaultTexts();
    std::set<std::uint32_t> ids;
    for (const CommandEntry& command : CommandTable()) {
        EXPECT_TRUE(ids.insert(command.id).second) << command.id;
        if (!command.popup.empty()) {
            EXPECT_FALSE(GetLangText("Menu", std::string(command.textKey)).empty()) << command.textKey;
        }
    }
    EXPECT_EQ(FindCommand(12345), nullptr);
}

// The node commands' labels were swapped: "Line to curve" ran SegmentsToLines. Each item now shows the
// text that says what its handler does.
TEST(CommandTableTest, LineAndCurveCommandsShowTheTextOfTheirHandlers) {
    LanguageIndex = kLanguageEnglish;
    WriteDefaultTexts();
    CommandRegistry registry;
    RegisterEditCommands(registry);
    const CommandEntry& toLines = *registry.Find(40040);
    const CommandEntry& toBeziers = *registry.Find(40043);
    EXPECT_EQ(toLines.handler, &RunDrawingOperation<&CCadMgr::SegmentsToLines>);
    EXPECT_EQ(GetLangText("Menu", std::string(toLines.textKey)), "Curve to line");
    EXPECT_EQ(toBeziers.handler, &RunDrawingOperation<&CCadMgr::SegmentsToBeziers>);
    EXPECT_EQ(GetLangText("Menu", std::string(toBeziers.textKey)), "Line to curve");
    // Their prompts already described the handlers, so the command keys stay.
    EXPECT_EQ(toLines.key, "MU2R");
    EXPECT_EQ(toBeziers.key, "MU2S");
}

void DoNothing(ShellContext&, const CommandEntry&) {}

TEST(CommandTableTest, RegistryGivesEachRowItsHandlerInMenuOrder) {
    CommandRegistry registry;
    const CommandBinding bindings[] = {{32782, DoNothing}};
    registry.Register(bindings);
    ASSERT_EQ(registry.Entries().size(), CommandTable().size());
    for (std::size_t index = 0; index < CommandTable().size(); ++index) {
        const CommandEntry& entry = registry.Entries()[index];
        EXPECT_EQ(entry.id, CommandTable()[index].id);
        EXPECT_EQ(entry.handler != nullptr, entry.id == 32782) << entry.id;
    }
    EXPECT_EQ(registry.Find(32782)->handler, &DoNothing);
    EXPECT_EQ(registry.Find(12345), nullptr);
}

// Two families claiming one command would leave the menu item running whichever registered last; an id
// outside the table would be a handler no menu reaches. Both stop the program at start-up.
TEST(CommandTableDeathTest, RegistryRefusesASecondHandlerANullOneAndAnUnknownId) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const CommandBinding twice[] = {{32782, DoNothing}, {32782, DoNothing}};
    const CommandBinding unknown[] = {{12345, DoNothing}};
    const CommandBinding null[] = {{32782, nullptr}};
    for (std::span<const CommandBinding> bindings : {std::span<const CommandBinding>(twice),
                                                      std::span<const CommandBinding>(unknown),
                                                      std::span<const CommandBinding>(null)}) {
        EXPECT_DEATH(
            {
                CommandRegistry registry;
                registry.Register(bindings);
            },
            "invariant broken");
    }
}

TEST(CommandTableTest, EnableRulesFollowTheState) {
    struct Case {
        const char* name;
        std::uint32_t id;
        CommandState state;
        bool enabled;
    };
    CommandState one;
    one.selectionCount = 1;
    CommandState two;
    two.selectionCount = 2;
    CommandState withElements;
    withElements.elementCount = 3;
    CommandState undoable;
    undoable.canUndo = true;
    CommandState pending = NodeEditing(0);
    pending.nodePointPending = true;
    CommandState combinable = NodeEditing(2);
    combinable.nodesCombinable = true;
    const std::vector<Case> cases = {
        {"Arrange Left with one selected", 32796, one, false},
        {"Arrange Left with two selected", 32796, two, true},
        {"Arrange Page Center with one", 32802, one, true},
        {"Cut with nothing selected", 57635, CommandState{}, false},
        {"Cut with one selected", 57635, one, true},
        {"Paste always", 57637, CommandState{}, true},
        {"Export of an empty drawing", 32772, CommandState{}, false},
        {"Export of a drawing", 32772, withElements, true},
        {"Undo with a step back", 57643, undoable, true},
        {"Undo without", 57643, CommandState{}, false},
        {"Redo without", 57644, undoable, false},
        {"Delete nodes outside node editing", 40036, one, false},
        {"Delete nodes without marked nodes", 40036, NodeEditing(0), false},
        {"Delete nodes with a marked node", 40036, NodeEditing(1), true},
        {"Line to curve with a marked node", 40040, NodeEditing(1), true},
        {"Add nodes with a pending point", 40035, pending, true},
        {"Add nodes without", 40035, NodeEditing(1), false},
        {"Combine nodes when combinable", 40038, combinable, true},
        {"Combine nodes when not", 40038, NodeEditing(2), false},
        {"Zoom view tool", 32774, CommandState{}, true},
        {"Group always", 40021, CommandState{}, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsCommandEnabled(Command(c.id), c.state), c.enabled) << c.name;
    }
}

TEST(CommandTableTest, ToolCommandsAreCheckedByTheirGroupAndBit) {
    CommandState ellipse;
    ellipse.toolMode = 0x2004;
    for (const CommandEntry& command : CommandTable()) {
        if (command.check == CheckRule::kTool) {
            EXPECT_EQ(IsCommandChecked(command, ellipse), command.id == 32787) << command.id;
        }
    }
    EXPECT_EQ(ToolModeAfter(Command(32787), 0x4001), 0x2004u);
    EXPECT_EQ(ToolModeAfter(Command(40012), 0x4001), 0x8001u);
    EXPECT_EQ(ToolModeAfter(Command(32779), 0x4001), 0x10002u);
    EXPECT_EQ(ToolModeAfter(Command(32784), 0x2004), 0x4001u);
    EXPECT_EQ(ToolModeAfter(Command(32791), 0x4001), 0x4400u);
    EXPECT_EQ(ToolModeAfter(Command(57634), 0x2004), 0x2004u);
}

TEST(CommandTableTest, SelectIsCheckedForEverySelectingMode) {
    for (const auto& [mode, checked] : std::vector<std::pair<std::uint32_t, bool>>{
             {0x4001, true}, {0x4020, true}, {0x4400, false}, {0x8001, false}, {0x2001, false}}) {
        CommandState state;
        state.toolMode = mode;
        EXPECT_EQ(IsCommandChecked(Command(32784), state), checked) << std::hex << mode;
    }
}

TEST(CommandTableTest, NodeEditBarBelongsToTheNodeEditModeOnly) {
    EXPECT_TRUE(IsNodeEditMode(0x8001));
    for (std::uint32_t mode : {0x4001u, 0x8000u, 0x2001u, 0x10002u}) {
        EXPECT_FALSE(IsNodeEditMode(mode)) << std::hex << mode;
    }
}

TEST(CommandTableTest, ALanguageCommandChecksExactlyOneLanguage) {
    for (int language = 0; language <= 3; ++language) {
        CommandState state;
        state.languageIndex = language;
        int checked = 0;
        for (std::uint32_t id : {32898u, 32899u, 32900u, 32901u}) {
            checked += IsCommandChecked(Command(id), state) ? 1 : 0;
        }
        EXPECT_EQ(checked, 1) << language;
        EXPECT_TRUE(IsCommandChecked(Command(32898 + static_cast<std::uint32_t>(language)), state));
    }
}

TEST(CommandTableTest, DisplayFlagsAndBarsCheckTheirItems) {
    CommandState state;
    state.showPath = true;
    state.showArray = false;
    state.barVisible[static_cast<std::size_t>(Bar::kDockingPlat)] = true;
    EXPECT_TRUE(IsCommandChecked(Command(32893), state));
    EXPECT_FALSE(IsCommandChecked(Command(32811), state));
    EXPECT_FALSE(IsCommandChecked(Command(40024), state));
    EXPECT_TRUE(IsCommandChecked(Command(32887), state));
    EXPECT_FALSE(IsCommandChecked(Command(32812), state));
    // The framework's toggles of the system toolbar and the status bar check by their bars as well.
    state.barVisible[static_cast<std::size_t>(Bar::kStatus)] = true;
    EXPECT_TRUE(IsCommandChecked(Command(59393), state));
    EXPECT_FALSE(IsCommandChecked(Command(59392), state));
}

TEST(CommandTableTest, EveryLaterCommandIsDisabledAndSaysSo) {
    CommandState everything;
    everything.selectionCount = 3;
    everything.elementCount = 3;
    everything.bitmapSelected = true;
    everything.barVisible.fill(true);
    for (std::uint32_t id : LaterCommands()) {
        if (const CommandEntry* command = FindCommand(id)) {
            EXPECT_FALSE(IsCommandEnabled(*command, everything)) << id;
        }
    }
    EXPECT_TRUE(IsLaterCommand(40045));
    EXPECT_FALSE(IsLaterCommand(32771));
    LanguageIndex = kLanguageEnglish;
    EXPECT_EQ(LaterCommandStatusText(), "This function is not available in this version yet");
}

TEST(CommandTableTest, MenuItemsKeepTheirPopups) {
    EXPECT_EQ(Command(32771).popup, "MU1");
    EXPECT_EQ(Command(40040).submenu, "MU2M");
    EXPECT_EQ(Command(32796).submenu, "MU3F");
    EXPECT_EQ(Command(32900).submenu, "MU72");
    EXPECT_TRUE(Command(32791).popup.empty());
    EXPECT_EQ(Command(57603).shortcut, "Ctrl+S");
}

}  // namespace
