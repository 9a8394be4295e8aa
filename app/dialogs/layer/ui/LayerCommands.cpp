#include "LayerCommands.h"

#include "CommandTable.h"
#include "CutInDlg.h"
#include "FileParaDlg.h"
#include "SettingsRecords.h"
#include "ShellContext.h"

namespace {

// Edit > cut in/out: the dialog applies its leads to the selection itself, as one undoable change.
void OnCutInOut(ShellContext& shell, const CommandEntry&) {
    CCutInDlg dialog(shell.DialogParent(), shell.Manager());
    dialog.exec();
}

// Settings > file parameters: the speed unit among them changes what the windows show.
void OnFileParaSetting(ShellContext& shell, const CommandEntry&) {
    CFileParaDlg dialog(shell.DialogParent(), gFileParaSettings);
    dialog.exec();
    shell.OnDataChanged();
}

constexpr CommandBinding kLayerCommands[] = {
    {40004, OnCutInOut},
    {32833, OnFileParaSetting},
};

}  // namespace

void RegisterLayerCommands(CommandRegistry& registry) {
    registry.Register(kLayerCommands);
}
