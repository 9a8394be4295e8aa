// The edit family of the main window's commands: clipboard, delete, undo and redo, selection and groups,
// the node tools, and the draw menu's mirror, centre, arrange, spacing, sizing and corner moves.
#pragma once

class CommandRegistry;

void RegisterEditCommands(CommandRegistry& registry);
