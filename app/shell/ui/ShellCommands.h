// Every family's commands in one table: the main window routes each menu item and button through it.
#pragma once

#include "CommandTable.h"

// The command table with the handler of every family that has its commands so far. A family that comes
// adds its registration here and leaves the later commands; the main window needs no change.
CommandRegistry ShellCommandRegistry();
