// How the settings code looks at its files: a file that is missing may be written from the built-in
// defaults, while a file that exists is never overwritten by them unless its bytes were first kept
// aside (DamagedFiles.h).
#pragma once

#include <filesystem>

// What a load found in a settings file.
enum class SettingsFileState {
    kWhole,       // read to its end, every value accepted
    kMissing,     // may be written at once
    kUnreadable,  // exists but cannot be opened: left alone, now and at exit
    kDamaged,     // opened, but refused: too large, cut short, corrupt or with a value out of range
};

// True only when the file certainly does not exist; an empty path counts as missing.
bool IsMissingFile(const std::filesystem::path& file);

// For a file whose load failed: missing, unreadable, or else damaged. Looks at the file's kind and
// access only, so that a huge file is never read for this.
SettingsFileState StateAfterFailedLoad(const std::filesystem::path& file);
