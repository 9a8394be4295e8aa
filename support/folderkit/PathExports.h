// The exported path and file helpers. Folders they return end with a "/" so that callers append file
// names directly. Results are 0 for success and 1 for failure unless a function says otherwise.
//
// On this platform the program folder stands for the executable's folder, the XDG folders for the
// shell's special folders and desktop entries for shortcuts.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// The program folder (settings, language files, Vendor/, temp/); 1, out emptied, when it cannot be
// made.
std::uint16_t _path_GetCurrentPath(std::string* out);
// 0 when the path names a file (not a folder) that can be opened for reading.
std::uint16_t _path_IsFileExist(const std::string& path);
// 0 when the path exists, as a file or a folder.
std::uint16_t _path_IsFolderExist(const std::string& path);
// ext = the text after the last "." when at least one character follows it, and 0; else 1, ext empty.
std::uint16_t _path_GetFileNameExt(const std::string& path, std::string* ext);
// name = the text after the last "/" (the whole path when it has none), without the text from its
// last "." on when keepExtension is 0; 0. A path ending in "/" gives 1, name holding the whole path.
std::uint16_t _path_GetFileName(const std::string& path, std::string* name, int keepExtension);

// Copies the file, replacing, to folder + the source's file name.
//   0 copied, or with quiet non-zero also a missing folder or source (nothing copied)
//   1 an empty argument; 2 no such folder; 3 no such source; 4 the copy failed (any old copy kept)
std::uint16_t _path_CopyFile(const std::string& source, const std::string& folder, int quiet);

// What the locate dialog is asked to show: the caller's dialog offers the filters in order and returns
// the chosen path, or nothing when the user cancels.
struct LocateFileRequest {
    struct Filter {
        std::string label;
        std::string pattern;
    };
    std::string title;
    std::string initialName;
    std::vector<Filter> filters;
};
using LocateFileDialog = std::function<std::optional<std::string>(const LocateFileRequest&)>;

// Lets the user find a file through the dialog, titled "Locate". With a wanted name, a file of another
// name (compared ignoring letter case) opens the dialog again. 0 with out = the path, 1 on cancel or
// without a dialog.
std::uint16_t _path_LocateFile(const std::string& pattern, const std::string& wantedName, std::string* out,
                               const LocateFileDialog& dialog);

// Deletes the file when it exists; 0.
std::uint16_t _path_RemoveFile(const std::string& path);
// Removes the folder and everything in it, making read-only folders writable first and going on past
// entries that cannot be removed. Symbolic links are removed, never followed. 1 when the path does not
// exist, else 0. A path naming a file is left alone.
std::uint16_t _path_RemoveFolder(const std::string& path);
// Renames the file; 1 when it does not exist, when the new name is taken or the rename fails.
std::uint16_t _path_RenameFile(const std::string& oldPath, const std::string& newPath);

// The folder of the user's application menu entries, the desktop and the user's data folder.
std::uint16_t _path_GetStartMenuFolder(std::string* out);
std::uint16_t _path_GetDesktopFolder(std::string* out);
std::uint16_t _path_GetAppDataFolder(std::string* out);

// Writes a desktop entry at linkFile that starts target in target's folder, with iconFile as its icon
// when that file exists. 1 when the entry cannot be written or a path holds a line break.
std::uint16_t _path_CreateShortCut(const std::string& target, const std::string& iconFile,
                                   const std::string& linkFile);
// _path_CreateShortCut at the desktop folder + linkName.
std::uint16_t _path_CreateDesktopShortCut(const std::string& target, const std::string& iconFile,
                                          const std::string& linkName);

// 0 when a running process runs the executable modulePath (compared ignoring letter case); else 1.
// Processes that cannot be inspected are passed over.
std::uint16_t _path_IsAppRun(const std::string& modulePath);
