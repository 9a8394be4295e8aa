// Finding and reading SHX font files.
#include "ShxFontFiles.h"

#include <fstream>

#include "AsciiText.h"
#include "AtomicFile.h"
#include "ProgramFolder.h"

namespace letterforge {
namespace {

constexpr const char* kFontFolder = "fonts";

bool IsPlainFileName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string_view::npos &&
           name.find('\0') == std::string_view::npos;
}

}  // namespace

std::optional<std::filesystem::path> FindShxFont(std::string_view name) {
    if (!IsPlainFileName(name)) {
        return std::nullopt;
    }
    const std::filesystem::path folder = platform::ProgramFolder();
    if (folder.empty()) {
        return std::nullopt;
    }
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder / kFontFolder, error)) {
        if (platform::EqualIgnoringCase(entry.path().filename().string(), name)) {
            return entry.path();
        }
    }
    return std::nullopt;
}

FontBytes ReadShxFont(std::string_view name) {
    const std::optional<std::filesystem::path> path = FindShxFont(name);
    return path ? platform::ReadWholeFile(*path) : std::nullopt;
}

int GetModuleFolder(std::string& folder) {
    const std::filesystem::path programFolder = platform::ProgramFolder();
    if (programFolder.empty()) {
        folder.clear();
        return 1;
    }
    folder = (programFolder / "").string();
    return 0;
}

int FileExists(const std::string& path) {
    return std::ifstream(path, std::ios::binary).is_open() ? 0 : 1;
}

}  // namespace letterforge
