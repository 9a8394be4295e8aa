// The view family's handlers.
#include "ViewCommands.h"

#include "CadMgr.h"
#include "CommandTable.h"
#include "DrawingOperation.h"
#include "SettingsGlobals.h"
#include "ShellContext.h"

namespace {

constexpr std::uint32_t kZoomOutTool = 0x1002;
constexpr std::uint32_t kZoomInTool = 0x1004;

// The zoom tools zoom once at the middle of the view as they are chosen; the cut point and direction
// tools start from an empty selection.
void SetTool(ShellContext& shell, const CommandEntry& command) {
    CCadMgr& manager = shell.Manager();
    shell.SetToolMode(ToolModeAfter(command, manager.toolMode));
    const platform::ClientRect client = shell.View().GetClientRect();
    if (command.toolMode == kZoomOutTool || command.toolMode == kZoomInTool) {
        constexpr std::uint16_t kZoomOut = 2;
        constexpr std::uint16_t kZoomIn = 4;
        manager.ZoomAtPoint(command.toolMode == kZoomInTool ? kZoomIn : kZoomOut, client.Width() / 2,
                            client.Height() / 2);
    } else if (command.toolMode == CCadMgr::kCutPointPick || command.toolMode == CCadMgr::kCutDirectionPick) {
        manager.ClearSelection();
        shell.OnDataChanged();
    }
}

// The display flag a switch command flips.
template <int* Flag>
void FlipDisplay(ShellContext& shell, const CommandEntry&) {
    *Flag = *Flag != 0 ? 0 : 1;
    shell.View().RequestRepaint();
}

void ToggleBar(ShellContext& shell, const CommandEntry& command) {
    shell.ToggleBar(static_cast<Bar>(command.value));
}

void ChooseLanguage(ShellContext& shell, const CommandEntry& command) {
    LanguageIndex = static_cast<std::uint16_t>(command.value);
    shell.SetLanguage();
}

using M = CCadMgr;

constexpr CommandBinding kViewCommands[] = {
    {32773, SetTool},
    {32774, SetTool},
    {32775, SetTool},
    {32891, SetTool},
    {32777, RunDrawingOperation<&M::ZoomToPage>},
    {32778, RunDrawingOperation<&M::ZoomToSelection>},
    {40059, RunDrawingOperation<&M::ZoomToAll>},
    {32893, FlipDisplay<&ShowPathOn>},
    {32779, SetTool},
    {32780, SetTool},
    {32784, SetTool},
    {40012, SetTool},
    {32785, SetTool},
    {32786, SetTool},
    {32787, SetTool},
    {32788, SetTool},
    {32789, SetTool},
    {40011, SetTool},
    {40009, SetTool},
    {32811, FlipDisplay<&FillDisplayOn>},
    {40024, FlipDisplay<&ShowArray>},
    {59392, ToggleBar},
    {59393, ToggleBar},
    {32812, ToggleBar},
    {32813, ToggleBar},
    {32814, ToggleBar},
    {32815, ToggleBar},
    {32887, ToggleBar},
    {32898, ChooseLanguage},
    {32899, ChooseLanguage},
    {32900, ChooseLanguage},
    {32901, ChooseLanguage},
};

}  // namespace

void RegisterViewCommands(CommandRegistry& registry) {
    registry.Register(kViewCommands);
}
