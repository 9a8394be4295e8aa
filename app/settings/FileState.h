// How the settings code looks at its files: a file that is missing may be written from the built-in
// defaults, while a file that exists is never overwritten by them, even when it cannot be read.
#pragma once

#include <filesystem>

// True only when the file certainly does not exist; an empty path counts as missing.
bool IsMissingFile(const std::filesystem::path& file);
