// The writable program folder that holds settings, language files, the parameter library, temp/ and
// Vendor/, and the per-user hand-over folder where outside exporters leave drawings.
#pragma once

#include <filesystem>
#include <string_view>

namespace platform {

// $CUTRIX_HOME when set, else ~/.local/share/cutrix. Created on first use, with its temp/ and Vendor/
// folders, and seeded with every shipped resource file that it lacks; files already there are never
// replaced. Empty when the folder cannot be created.
std::filesystem::path ProgramFolder();

// ProgramFolder() / name.
std::filesystem::path ProgramFile(std::string_view name);

// The folder that ships the seed resources: $CUTRIX_RESOURCES when set, else the build's own copy.
std::filesystem::path ResourceFolder();

// $CUTRIX_HANDOVER when set, else ZintTemp/ under the user's runtime folder; created on use.
std::filesystem::path HandoverFolder();

}  // namespace platform
