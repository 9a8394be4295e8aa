#include "ProgramFolder.h"

#include <unistd.h>
#include <cstdlib>
#include <mutex>
#include <set>
#include <string>

namespace platform {
namespace {

std::filesystem::path FromEnvironment(const char* name) {
    const char* value = std::getenv(name);
    return (value != nullptr && *value != '\0') ? std::filesystem::path(value) : std::filesystem::path();
}

std::filesystem::path DefaultProgramFolder() {
    std::filesystem::path home = FromEnvironment("HOME");
    if (home.empty()) {
        home = std::filesystem::temp_directory_path();
    }
    return home / ".local" / "share" / "cutrix";
}

// Copies what the folder lacks of the shipped resources, keeping everything the user already has.
// Hidden files of the source tree (such as .keep) are not resources.
void SeedFrom(const std::filesystem::path& resources, const std::filesystem::path& folder) {
    std::error_code error;
    std::filesystem::recursive_directory_iterator entry(resources, error), end;
    for (; !error && entry != end; entry.increment(error)) {
        const std::filesystem::path& source = entry->path();
        if (source.filename().string().starts_with('.')) {
            continue;
        }
        const std::filesystem::path target = folder / std::filesystem::relative(source, resources, error);
        if (entry->is_directory()) {
            std::filesystem::create_directories(target, error);
        } else {
            std::filesystem::copy_file(source, target, std::filesystem::copy_options::skip_existing, error);
        }
        error.clear();
    }
}

bool Prepare(const std::filesystem::path& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder / "temp", error);
    std::filesystem::create_directories(folder / "Vendor", error);
    return std::filesystem::is_directory(folder, error);
}

}  // namespace

std::filesystem::path ResourceFolder() {
    std::filesystem::path configured = FromEnvironment("CUTRIX_RESOURCES");
    return configured.empty() ? std::filesystem::path(CUTRIX_RESOURCE_DIR) : configured;
}

std::filesystem::path ProgramFolder() {
    // Seeding runs once per folder and run; tests switch $CUTRIX_HOME between folders.
    static std::mutex seedLock;
    static std::set<std::filesystem::path> seededFolders;

    std::filesystem::path folder = FromEnvironment("CUTRIX_HOME");
    if (folder.empty()) {
        folder = DefaultProgramFolder();
    }
    std::lock_guard lock(seedLock);
    if (seededFolders.contains(folder) && std::filesystem::is_directory(folder)) {
        return folder;
    }
    if (!Prepare(folder)) {
        return {};
    }
    SeedFrom(ResourceFolder(), folder);
    seededFolders.insert(folder);
    return folder;
}

std::filesystem::path ProgramFile(std::string_view name) {
    std::filesystem::path folder = ProgramFolder();
    return folder.empty() ? std::filesystem::path() : folder / name;
}

std::filesystem::path HandoverFolder() {
    std::filesystem::path folder = FromEnvironment("CUTRIX_HANDOVER");
    if (folder.empty()) {
        std::filesystem::path runtime = FromEnvironment("XDG_RUNTIME_DIR");
        if (runtime.empty()) {
            runtime = std::filesystem::temp_directory_path() / ("cutrix-" + std::to_string(::getuid()));
        }
        folder = runtime / "ZintTemp";
    }
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    return folder;
}

}  // namespace platform
