// Existence and whole-file reads of settings files.
#include "FileState.h"

#include "AtomicFile.h"

#include <exception>
#include <system_error>

bool IsMissingFile(const std::filesystem::path& file) {
    if (file.empty()) {
        return true;
    }
    std::error_code error;
    const bool exists = std::filesystem::exists(file, error);
    return !exists && !error;
}

std::optional<std::vector<std::uint8_t>> ReadFileBytes(const std::filesystem::path& file) {
    if (file.empty()) {
        return std::nullopt;
    }
    try {
        return platform::ReadWholeFile(file);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}
