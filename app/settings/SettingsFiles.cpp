// Start-up loading and exit saving of the settings files.
#include "SettingsFiles.h"

#include "AtomicFile.h"
#include "ConfigFile.h"
#include "FileState.h"
#include "LayerParaFile.h"
#include "MachineParaFiles.h"
#include "ProgramFolder.h"

#include <optional>
#include <set>
#include <vector>

namespace {

constexpr const char* kConfigFile = "config";
constexpr const char* kVendorParaFile = "vpara";
constexpr const char* kUserParaFile = "upara";
constexpr const char* kLayerParaFile = "lpara";

// Files that existed at start-up but could not be read; they are never written from defaults.
std::set<std::filesystem::path> unreadableAtStart;

int SaveConfig(const std::filesystem::path& file) {
    platform::Archive archive = platform::Archive::ForStoring();
    SerializeConfig(archive);
    return archive.SaveToFile(file) ? 1 : 0;
}

// A "config" that ends early keeps what it held before the end (the records are replaced whole).
void LoadConfigFile(const std::filesystem::path& file) {
    const std::optional<std::vector<std::uint8_t>> bytes = platform::ReadWholeFile(file);
    if (!bytes) {
        if (IsMissingFile(file)) {
            SaveConfig(file);
        } else {
            unreadableAtStart.insert(file);
        }
        return;
    }
    if (bytes->empty()) {
        SaveConfig(file);
        return;
    }
    platform::Archive archive = platform::Archive::ForLoading(*bytes);
    try {
        SerializeConfig(archive);
    } catch (const platform::ArchiveError&) {
    }
}

// Loads through `load`; when that fails, writes the file from the current values only if it is missing.
template <typename Load, typename Save>
void LoadOrCreate(const std::filesystem::path& file, Load load, Save save) {
    if (load(file) != 0) {
        return;
    }
    if (IsMissingFile(file)) {
        save(file);
    } else if (!platform::ReadWholeFile(file)) {
        unreadableAtStart.insert(file);
    }
}

template <typename Save>
void SaveUnlessUnreadable(const std::filesystem::path& file, Save save) {
    if (!unreadableAtStart.contains(file)) {
        save(file);
    }
}

}  // namespace

void LoadAllSettings(const std::filesystem::path& programFolder) {
    unreadableAtStart.clear();
    LoadConfigFile(programFolder / kConfigFile);
    LoadOrCreate(programFolder / kVendorParaFile, ImportVendorParaFile, ExportVendorParaFile);
    LoadOrCreate(programFolder / kUserParaFile, ImportUserParaFile, ExportUserParaFile);
    LoadOrCreate(programFolder / kLayerParaFile, LoadLayerPara, SaveLayerPara);
}

void SaveAllSettings(const std::filesystem::path& programFolder) {
    SaveUnlessUnreadable(programFolder / kConfigFile, SaveConfig);
    SaveUnlessUnreadable(programFolder / kVendorParaFile, ExportVendorParaFile);
    SaveUnlessUnreadable(programFolder / kUserParaFile, ExportUserParaFile);
    SaveUnlessUnreadable(programFolder / kLayerParaFile, SaveLayerPara);
}

void LoadAllSettings() {
    const std::filesystem::path folder = platform::ProgramFolder();
    if (!folder.empty()) {
        LoadAllSettings(folder);
    }
}

void SaveAllSettings() {
    const std::filesystem::path folder = platform::ProgramFolder();
    if (!folder.empty()) {
        SaveAllSettings(folder);
    }
}
