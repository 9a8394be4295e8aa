// Removing what a killed save left behind: the hidden temporary sibling (".NAME.tmp-XXXXXX") that
// CreateTemporarySibling makes and a finished write renames away. A save that dies before its rename
// leaves it for ever, and a large drawing's leftover costs megabytes, so each start removes those that
// no running writer can still own.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string_view>

namespace platform {

// A name of the writer's own pattern: a dot, the target's name, ".tmp-" and six letters or digits.
bool IsWriterLeftoverName(std::string_view name);

// Removes the regular files of that pattern in `folder` last written before `writtenBefore`; every
// other file stays. Returns how many were removed; a folder that cannot be read removes nothing.
std::size_t RemoveWriterLeftovers(const std::filesystem::path& folder, std::filesystem::file_time_type writtenBefore);

// When this process started, on the clock of file times: a temporary file written before it cannot be
// this process's own, and with one copy of the program running, no other writer's either.
std::filesystem::file_time_type ProcessStartTime();

}  // namespace platform
