// Reading and re-creating "VerCFG".
#include "VerCfgFile.h"

#include "AtomicFile.h"
#include "DamagedFiles.h"
#include "FileState.h"
#include "LittleEndian.h"
#include "ProgramFolder.h"
#include "SettingsGlobals.h"

#include <array>
#include <cstdint>

namespace {

constexpr std::size_t kVerCfgBytes = 6;
// Anything larger is refused from its size, unread.
constexpr std::uintmax_t kMaxVerCfgReadBytes = 4096;

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

bool IsWhole(const platform::LimitedRead& read) {
    return read.status == platform::ReadStatus::kRead && read.bytes.size() == kVerCfgBytes &&
           IsFlag(WordAt(read.bytes, 1)) && IsFlag(WordAt(read.bytes, 2));
}

}  // namespace

void LoadVerCfg(const std::filesystem::path& programFolder) {
    const std::filesystem::path file = programFolder / "VerCFG";
    const platform::LimitedRead read = platform::ReadWholeFileWithin(file, kMaxVerCfgReadBytes);
    if (IsWhole(read)) {
        VerFlagA = WordAt(read.bytes, 1);
        PenModeFlag = WordAt(read.bytes, 2);
        return;
    }
    const SettingsFileState state = StateAfterFailedLoad(file);
    if (state == SettingsFileState::kUnreadable) {
        return;
    }
    if (state == SettingsFileState::kDamaged && !KeepAsideBeforeRewrite(file)) {
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
