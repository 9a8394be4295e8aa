// The families of commands, registered into one table.
#include "ShellCommands.h"

#include "EditCommands.h"
#include "EditToolCommands.h"
#include "FileCommands.h"
#include "LayerCommands.h"
#include "ProcessCommands.h"
#include "ViewCommands.h"

CommandRegistry ShellCommandRegistry() {
    CommandRegistry registry;
    RegisterFileCommands(registry);
    RegisterEditCommands(registry);
    RegisterViewCommands(registry);
    RegisterProcessCommands(registry);
    RegisterLayerCommands(registry);
    RegisterEditToolCommands(registry);
    return registry;
}
