// Shortcuts as desktop entries: a small text file that a desktop shows as a launcher.
#include <filesystem>
#include <string_view>

#include "AtomicFile.h"
#include "PathExports.h"

namespace {

bool HasLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
}

// A value of the entry's string type, where a backslash starts an escape.
std::string EscapeValue(std::string_view text) {
    std::string escaped;
    for (char c : text) {
        if (c == '\\') {
            escaped += '\\';
        }
        escaped += c;
    }
    return escaped;
}

// The program as the one word of a command line: quoted, with the characters that stay special inside
// quotes escaped, and "%" doubled since it would start a field code.
std::string QuoteCommand(std::string_view program) {
    std::string quoted = "\"";
    for (char c : program) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') {
            quoted += '\\';
        }
        quoted += c;
        if (c == '%') {
            quoted += '%';
        }
    }
    quoted += '"';
    return EscapeValue(quoted);
}

// The folder part of a path: the text before its last "/", or the whole path when it has none.
std::string_view FolderOf(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(0, slash);
}

std::string DesktopEntry(const std::string& target, const std::string& iconFile,
                         const std::string& linkFile) {
    std::string entry = "[Desktop Entry]\nType=Application\n";
    entry += "Name=" + EscapeValue(std::filesystem::path(linkFile).stem().string()) + "\n";
    entry += "Exec=" + QuoteCommand(target) + "\n";
    entry += "Path=" + EscapeValue(FolderOf(target)) + "\n";
    if (!iconFile.empty() && _path_IsFileExist(iconFile) == 0) {
        entry += "Icon=" + EscapeValue(iconFile) + "\n";
    }
    return entry;
}

}  // namespace

std::uint16_t _path_CreateShortCut(const std::string& target, const std::string& iconFile,
                                   const std::string& linkFile) {
    if (target.empty() || linkFile.empty() || HasLineBreak(target) || HasLineBreak(iconFile) ||
        HasLineBreak(linkFile)) {
        return 1;
    }
    if (!platform::WriteFileAtomically(linkFile, DesktopEntry(target, iconFile, linkFile))) {
        return 1;
    }
    // Desktops start only launchers that are marked executable.
    std::error_code ignored;
    std::filesystem::permissions(linkFile, std::filesystem::perms::owner_exec,
                                 std::filesystem::perm_options::add, ignored);
    return 0;
}

std::uint16_t _path_CreateDesktopShortCut(const std::string& target, const std::string& iconFile,
                                          const std::string& linkName) {
    std::string desktop;
    if (_path_GetDesktopFolder(&desktop) != 0) {
        return 1;
    }
    return _path_CreateShortCut(target, iconFile, desktop + linkName);
}
