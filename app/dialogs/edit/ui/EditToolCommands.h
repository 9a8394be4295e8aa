// The editing tool commands: close, combine and de-duplicate curves, offset, rotate by an angle, the
// data check and the page setup, each through its dialog.
#pragma once

class CommandRegistry;

void RegisterEditToolCommands(CommandRegistry& registry);
