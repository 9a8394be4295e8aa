// The process family of the main window's commands: the job preview, the cutting order set by hand or
// by the order options, and the light-guide-plate designer.
#pragma once

class CommandRegistry;

void RegisterProcessCommands(CommandRegistry& registry);
