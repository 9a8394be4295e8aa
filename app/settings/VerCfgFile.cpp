// Reading and re-creating "VerCFG".
#include "VerCfgFile.h"

#include "AtomicFile.h"
#include "FileState.h"
#include "LittleEndian.h"
#include "ProgramFolder.h"
#include "SettingsGlobals.h"

#include <array>
#include <cstdint>
#include <optional>

namespace {

constexpr std::size_t kVerCfgBytes = 6;

std::uint16_t WordAt(const std::vector<std::uint8_t>& bytes, std::size_t index) {
    return platform::little_endian::LoadU16(bytes, 2 * index);
}

bool IsFlag(std::uint16_t word) {
    return word == 0 || word == 1;
}

void RecreateWithDefaults(const std::filesystem::path& file) {
    const std::array<std::uint8_t, kVerCfgBytes> bytes = {
        kCardVersionWord & 0xFF, kCardVersionWord >> 8, 0, 0, 0, 0,
    };
    if (platform::WriteFileAtomically(file, bytes)) {
        VerFlagA = 0;
        PenModeFlag = 0;
    }
}

}  // namespace

void LoadVerCfg(const std::filesystem::path& programFolder) {
    const std::filesystem::path file = programFolder / "VerCFG";
    const std::optional<std::vector<std::uint8_t>> bytes = platform::ReadWholeFile(file);
    if (!bytes && !IsMissingFile(file)) {
        return;
    }
    if (bytes && bytes->size() >= kVerCfgBytes && IsFlag(WordAt(*bytes, 1)) && IsFlag(WordAt(*bytes, 2))) {
        VerFlagA = WordAt(*bytes, 1);
        PenModeFlag = WordAt(*bytes, 2);
        return;
    }
    RecreateWithDefaults(file);
}

void LoadVerCfg() {
    const std::filesystem::path folder = platform::ProgramFolder();
    if (!folder.empty()) {
        LoadVerCfg(folder);
    }
}
