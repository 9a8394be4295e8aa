// The file family of the main window's commands: new, open, the recent files, save, save as, import,
// export and exit; with them the program's About box and the scanner's Capture, which open windows of
// their own as the file choosers do.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>

#include "DbList.h"
#include "FileDraw.h"

class CommandRegistry;
class QWidget;
class ShellContext;

void RegisterFileCommands(CommandRegistry& registry);

// Opens the document file; false when it was refused or could not be read.
bool OpenDocumentFile(ShellContext& shell, const std::filesystem::path& file);
// Opens the recent file of the index; one that no longer opens leaves the list.
void OpenRecentFile(ShellContext& shell, std::size_t index);
// Imports the drawing file and leaves what it placed selected; false after the failure message.
bool ImportFile(ShellContext& shell, const std::filesystem::path& file);
// Places the records through the import box; 1 when there was something to place, else 0 after "No
// data!".
int PlaceImport(ShellContext& shell, CDbList<CFileDraw*>& records, int select);
// The save-file dialog over the window, offering the document's title; ".lcx" is added to a name
// without an extension.
std::optional<std::filesystem::path> ChooseDocumentSavePath(QWidget* parent, const std::string& title);
