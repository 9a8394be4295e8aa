// The handler of a command that is one operation of the drawing manager: the operation, then the window
// shows the changed drawing. Shared by the families whose commands are mostly such operations.
#pragma once

#include "CadMgr.h"
#include "ShellContext.h"

template <void (CCadMgr::*Operation)()>
void RunDrawingOperation(ShellContext& shell, const CommandEntry& /*command*/) {
    (shell.Manager().*Operation)();
    shell.OnDataChanged();
}
