// Existence of settings files.
#include "FileState.h"

#include <unistd.h>

#include <system_error>

bool IsMissingFile(const std::filesystem::path& file) {
    if (file.empty()) {
        return true;
    }
    std::error_code error;
    const bool exists = std::filesystem::exists(file, error);
    return !exists && !error;
}

SettingsFileState StateAfterFailedLoad(const std::filesystem::path& file) {
    if (IsMissingFile(file)) {
        return SettingsFileState::kMissing;
    }
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error) || ::access(file.c_str(), R_OK) != 0) {
        return SettingsFileState::kUnreadable;
    }
    return SettingsFileState::kDamaged;
}
