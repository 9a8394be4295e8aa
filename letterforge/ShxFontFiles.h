// Where SHX fonts live and how they are read: files in fonts/ of the program folder, a font name being
// a plain file name matched ignoring case; each file is read once per text.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace letterforge {

using FontBytes = std::optional<std::vector<std::uint8_t>>;

// The file in fonts/ whose name equals `name` ignoring case; nothing for a name that is not a plain
// file name (empty, ".", "..", or holding a '/' or a NUL) or that no file has.
std::optional<std::filesystem::path> FindShxFont(std::string_view name);

// The font's bytes, or nothing when FindShxFont finds no file or it cannot be read.
FontBytes ReadShxFont(std::string_view name);

// The program folder with a trailing separator; returns 1 (and leaves folder empty) when there is none.
int GetModuleFolder(std::string& folder);

// 0 when the file can be opened for reading, else 1.
int FileExists(const std::string& path);

}  // namespace letterforge
