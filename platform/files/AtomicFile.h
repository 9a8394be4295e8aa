// Whole-file reads and crash-safe whole-file writes: every file that the program rewrites goes through
// WriteFileAtomically, so that a crash or a full disk leaves either the old file or the new one.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace platform {

// Writes the bytes to a temporary file in the target's folder, flushes it to disk and renames it over
// the target. Returns false, leaving any old file untouched, when any step fails.
bool WriteFileAtomically(const std::filesystem::path& target, std::span<const std::uint8_t> bytes);
bool WriteFileAtomically(const std::filesystem::path& target, std::string_view text);

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
