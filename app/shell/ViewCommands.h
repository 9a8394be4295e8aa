// The view family of the main window's commands: the tools (view, draw, select, node edit, cut point and
// direction), the zooms, the display switches, the bars and the language.
#pragma once

class CommandRegistry;

void RegisterViewCommands(CommandRegistry& registry);
