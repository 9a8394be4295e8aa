// How the settings code looks at its files: a file that is missing may be written from the built-in
// defaults, while a file that exists is never overwritten by them, even when it cannot be read.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

// True only when the file certainly does not exist; an empty path counts as missing.
bool IsMissingFile(const std::filesystem::path& file);

// The whole file, or nothing when it is missing or cannot be read for any reason (a read error of the
// stream library surfaces as an exception, which ends here).
std::optional<std::vector<std::uint8_t>> ReadFileBytes(const std::filesystem::path& file);
