// Start-up loading and exit saving of the settings files.
#include "SettingsFiles.h"

#include "AtomicFile.h"
#include "ConfigFile.h"
#include "DamagedFiles.h"
#include "FileState.h"
#include "LayerParaFile.h"
#include "MachineParaFiles.h"
#include "ProgramFolder.h"
#include "SettingsGlobals.h"
#include "SystemLanguage.h"

#include <map>
#include <vector>

namespace {

constexpr const char* kConfigFile = "config";
constexpr const char* kVendorParaFile = "vpara";
constexpr const char* kUserParaFile = "upara";
constexpr const char* kLayerParaFile = "lpara";

// The state of every file that did not load whole at start-up; a file not listed is written at exit.
std::map<std::filesystem::path, SettingsFileState> stateAtStart;

std::vector<std::uint8_t> CurrentConfigBytes() {
    platform::Archive archive = platform::Archive::ForStoring();
    SerializeConfig(archive);
    return archive.Bytes();
}

int SaveConfig(const std::filesystem::path& file) {
    return platform::WriteFileAtomically(file, CurrentConfigBytes()) ? 1 : 0;
}

bool LoadConfigBytes(const std::vector<std::uint8_t>& bytes) {
    platform::Archive archive = platform::Archive::ForLoading(bytes);
    try {
        return SerializeConfig(archive) == 1;
    } catch (const platform::ArchiveError&) {
        return false;
    }
}

// The loader replaces one record after another; when a later one fails, the values from before the
// load are put back from their own stored form, so that the file is taken whole or not at all.
bool LoadConfigWhole(const std::vector<std::uint8_t>& bytes) {
    const std::vector<std::uint8_t> before = CurrentConfigBytes();
    const std::uint16_t formatBefore = FileFormatFlag;
    if (LoadConfigBytes(bytes)) {
        return true;
    }
    LoadConfigBytes(before);
    FileFormatFlag = formatBefore;
    return false;
}

// 1 when "config" was read whole; an empty one counts as missing and is written at once.
int LoadConfigFile(const std::filesystem::path& file) {
    const platform::LimitedRead read = platform::ReadWholeFileWithin(file, kMaxConfigFileBytes);
    if (read.status == platform::ReadStatus::kRead && read.bytes.empty()) {
        SaveConfig(file);
        return 1;
    }
    return read.status == platform::ReadStatus::kRead && LoadConfigWhole(read.bytes) ? 1 : 0;
}

// Loads through `load`; when that fails, writes the file from the current values only if it is missing,
// and otherwise remembers how it stood.
template <typename Load, typename Save>
void LoadOrCreate(const std::filesystem::path& file, Load load, Save save) {
    if (load(file) != 0) {
        return;
    }
    const SettingsFileState state = StateAfterFailedLoad(file);
    if (state == SettingsFileState::kMissing) {
        save(file);
    } else {
        stateAtStart[file] = state;
    }
}

// An unreadable file is left alone; a damaged one is written only once its bytes are kept aside, and
// only once: after that the file holds what the program wrote.
template <typename Save>
void SaveGuarded(const std::filesystem::path& file, Save save) {
    const auto found = stateAtStart.find(file);
    if (found != stateAtStart.end()) {
        if (found->second == SettingsFileState::kUnreadable || !KeepAsideBeforeRewrite(file)) {
            return;
        }
        stateAtStart.erase(found);
    }
    save(file);
}

}  // namespace

void LoadAllSettings(const std::filesystem::path& programFolder) {
    stateAtStart.clear();
    if (IsMissingFile(programFolder / kConfigFile)) {
        LanguageIndex = LanguageOfLocale(SystemMessagesLocale());
    }
    LoadOrCreate(programFolder / kConfigFile, LoadConfigFile, SaveConfig);
    LoadOrCreate(programFolder / kVendorParaFile, ImportVendorParaFile, ExportVendorParaFile);
    LoadOrCreate(programFolder / kUserParaFile, ImportUserParaFile, ExportUserParaFile);
    LoadOrCreate(programFolder / kLayerParaFile, LoadLayerPara, SaveLayerPara);
}

void SaveAllSettings(const std::filesystem::path& programFolder) {
    SaveGuarded(programFolder / kConfigFile, SaveConfig);
    SaveGuarded(programFolder / kVendorParaFile, ExportVendorParaFile);
    SaveGuarded(programFolder / kUserParaFile, ExportUserParaFile);
    SaveGuarded(programFolder / kLayerParaFile, SaveLayerPara);
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
