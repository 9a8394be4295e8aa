// Whole-file reads and crash-safe whole-file writes: every file that the program rewrites goes through
// WriteFileAtomically, so that a crash or a full disk leaves either the old file or the new one.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Writes the bytes to a temporary file in the target's folder, flushes it to disk and renames it over
// the target. Returns false, leaving any old file untouched, when any step fails.
bool WriteFileAtomically(const std::filesystem::path& target, std::span<const std::uint8_t> bytes);
bool WriteFileAtomically(const std::filesystem::path& target, std::string_view text);

// Creates a new, empty, hidden temporary sibling of the target (".name.tmp-XXXXXX" in the target's
// folder, so that renaming it over the target stays within one file system), readable by others like
// any file the program writes. Its descriptor, with its path in temporaryPath; -1 when it cannot be made
// or when the target exists but is not a regular file (a folder or a device is never replaced).
int CreateTemporarySibling(const std::filesystem::path& target, std::string& temporaryPath);
// Makes a rename in the folder durable; a folder that cannot be opened is not an error worth failing for.
void SyncFolder(const std::filesystem::path& folder);

// The whole content of a regular file, or nothing when it is missing, cannot be read, is not a regular
// file (a folder, a named pipe, a device) or does not fit in memory.
std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::filesystem::path& file);

// A read with a size limit: a file larger than the limit is refused from its size alone, before any of
// it is read, and a file that grows past the limit while it is read is refused as well.
enum class ReadStatus {
    kRead,
    kCannotRead,  // missing, not a regular file, an input error or out of memory
    kTooLarge,
};
struct LimitedRead {
    ReadStatus status = ReadStatus::kCannotRead;
    std::vector<std::uint8_t> bytes;  // the content when read
};
LimitedRead ReadWholeFileWithin(const std::filesystem::path& file, std::uintmax_t maxBytes);

}  // namespace platform
