// The layer family of the main window's commands: the lead-in and lead-out of the selected curves and
// the file parameters, each through its dialog.
#pragma once

class CommandRegistry;

void RegisterLayerCommands(CommandRegistry& registry);
