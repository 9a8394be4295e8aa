// Keeping a damaged file's bytes before the file is written anew: the file gets a second name of its
// own beside it, so that nothing the operator or the vendor put into it is lost.
#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

namespace platform {

// Gives the file's content a free name in the same folder: the file name with the suffix
// ("vpara" -> "vpara.damaged"), then with "-2", "-3" and so on after it. An existing file of that name
// is never replaced. The file itself stays where it is, so a failed rewrite afterwards still leaves
// the old bytes in place. Returns the new name, or nothing when no name could be given.
std::optional<std::filesystem::path> KeepAside(const std::filesystem::path& file, std::string_view suffix);

}  // namespace platform
