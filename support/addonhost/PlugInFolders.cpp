// The plug-in folder, the shared temporary folder and the folder helpers behind them.
#include <cstring>
#include <filesystem>
#include <string>

#include "PathExports.h"
#include "PlugInExports.h"
#include "ProgramFolder.h"

namespace {

constexpr const char* kPlugFolderName = "CutrixV6/";

std::string WithSlash(std::string folder) {
    if (!folder.ends_with('/')) {
        folder += '/';
    }
    return folder;
}

std::uint16_t CopyOut(const std::string& text, char* buffer, std::size_t capacity) {
    if (buffer == nullptr || capacity == 0) {
        return 1;
    }
    std::memset(buffer, 0, capacity);
    if (text.empty() || text.size() + 1 > capacity) {
        return 1;
    }
    std::memcpy(buffer, text.data(), text.size());
    return 0;
}

}  // namespace

std::uint16_t IsFolderExist(const char* path) {
    return path == nullptr ? 1 : _path_IsFolderExist(path);
}

std::uint16_t RemoveFolder(const char* path) {
    return path == nullptr ? 1 : _path_RemoveFolder(path);
}

std::uint16_t CreateFolder(const char* path) {
    if (path != nullptr && *path != '\0') {
        std::error_code ignored;
        std::filesystem::create_directory(path, ignored);
    }
    return 0;
}

std::uint16_t GetPlugFolder(char* buffer, std::size_t capacity) {
    std::string folder;
    if (_path_GetAppDataFolder(&folder) == 0) {
        folder += kPlugFolderName;
        std::error_code ignored;
        std::filesystem::create_directories(folder, ignored);
    }
    return CopyOut(folder, buffer, capacity);
}

std::uint16_t GetPlugTempFolder(char* buffer, std::size_t capacity) {
    const std::filesystem::path folder = platform::HandoverFolder();
    return CopyOut(folder.empty() ? std::string() : WithSlash(folder.string()), buffer, capacity);
}

std::uint16_t ResetPlugTempFolder() {
    const std::filesystem::path folder = platform::HandoverFolder();
    if (!folder.empty()) {
        _path_RemoveFolder(folder.string());
        std::error_code ignored;
        std::filesystem::create_directories(folder, ignored);
    }
    return 0;
}
