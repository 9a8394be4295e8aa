// Reading and writing the body of "config".
#include "ConfigFile.h"

#include "ConnectionBlock.h"
#include "SettingsGlobals.h"
#include "SettingsRecords.h"

#include "AsciiText.h"

#include <algorithm>
#include <string>

namespace {

// The version string, or nothing when the bytes after the first six cannot be one: in an older file
// they are the start of the connection block.
bool ReadsVersionString(platform::Archive& archive) {
    try {
        return platform::EqualIgnoringCase(archive.ReadString(), kFileVersionString);
    } catch (const platform::ArchiveError&) {
        return false;
    }
}

// Reads the record into a fresh copy and puts it in place only when the whole record was read.
template <typename Record, typename Read>
void LoadRecord(Record& target, Read read) {
    Record loaded;
    read(loaded);
    target = std::move(loaded);
}

void StoreConfig(platform::Archive& archive) {
    archive.WriteU16(LanguageIndex);
    archive.WriteU32(ConfigReservedWord);
    archive.WriteString(kFileVersionString);
    SerializeConnectionBlock(archive);
    gOutputOptions.Serialize(archive);
    gGeneralSettings.Serialize(archive);
    gFileParaSettings.Serialize(archive);
    gProcessCtrlSettings.Serialize(archive);
    gOptimSettings.Serialize(archive);
}

void LoadRecords(platform::Archive& archive) {
    SerializeConnectionBlock(archive);
    LoadRecord(gOutputOptions, [&](OutputOptions& options) {
        if (FileFormatFlag == kCurrentLayout) {
            options.Serialize(archive);
        } else {
            options.SerializeOld(archive);
        }
    });
    LoadRecord(gGeneralSettings, [&](GeneralSettings& general) { general.Serialize(archive); });
    LoadRecord(gFileParaSettings, [&](FileParaSettings& filePara) { filePara.Serialize(archive); });
    LoadRecord(gProcessCtrlSettings, [&](ProcessCtrlSettings& control) { control.Serialize(archive); });
    LoadRecord(gOptimSettings, [&](OptimSettings& optim) { optim.Serialize(archive); });
}

int LoadConfig(platform::Archive& archive) {
    const std::uint16_t language = archive.ReadU16();
    if (language > kLastLanguageIndex) {
        return 0;
    }
    LanguageIndex = language;
    ConfigReservedWord = archive.ReadU32();
    FileFormatFlag = kCurrentLayout;
    if (ReadsVersionString(archive)) {
        LoadRecords(archive);
        return archive.Remaining() == 0 ? 1 : 0;
    }
    FileFormatFlag = kOlderLayout;
    platform::Archive fromStart = platform::Archive::ForLoading(archive.Bytes());
    fromStart.ReadU16();
    ConfigReservedWord = fromStart.ReadU32();
    LoadRecords(fromStart);
    return fromStart.Remaining() == 0 ? 1 : 0;
}

}  // namespace

int SerializeConfig(platform::Archive& archive) {
    if (archive.IsStoring()) {
        StoreConfig(archive);
        return 1;
    }
    return LoadConfig(archive);
}
