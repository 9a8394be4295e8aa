// Existence of settings files.
#include "FileState.h"

#include <system_error>

bool IsMissingFile(const std::filesystem::path& file) {
    if (file.empty()) {
        return true;
    }
    std::error_code error;
    const bool exists = std::filesystem::exists(file, error);
    return !exists && !error;
}
