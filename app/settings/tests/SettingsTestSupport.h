// Shared helpers of the settings tests: putting every global back to its start value, and whole-file
// reads and writes for fixtures.
#pragma once

#include "AtomicFile.h"
#include "ConnectionBlock.h"
#include "SettingsGlobals.h"
#include "SettingsRecords.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

inline void ResetSettingsGlobals() {
    LanguageIndex = kLanguageSimplifiedChinese;
    FileFormatFlag = kCurrentLayout;
    ConfigReservedWord = 200;
    VerFlagA = 0;
    PenModeFlag = 0;
    gGeneralSettings = GeneralSettings{};
    gOutputOptions = OutputOptions{};
    gFileParaSettings = FileParaSettings{};
    gProcessCtrlSettings = ProcessCtrlSettings{};
    gOptimSettings = OptimSettings{};
    SetConnectionSerializer(nullptr);
}

// A fixture that starts and ends every test with the globals at their start values.
class SettingsTest : public ::testing::Test {
  protected:
    void SetUp() override { ResetSettingsGlobals(); }
    void TearDown() override { ResetSettingsGlobals(); }
};

inline std::vector<std::uint8_t> FileBytes(const std::filesystem::path& file) {
    return platform::ReadWholeFile(file).value_or(std::vector<std::uint8_t>{});
}

inline std::string FileText(const std::filesystem::path& file) {
    const std::vector<std::uint8_t> bytes = FileBytes(file);
    return std::string(bytes.begin(), bytes.end());
}

inline void WriteFile(const std::filesystem::path& file, const std::vector<std::uint8_t>& bytes) {
    ASSERT_TRUE(platform::WriteFileAtomically(file, bytes));
}

inline void WriteFile(const std::filesystem::path& file, std::string_view text) {
    ASSERT_TRUE(platform::WriteFileAtomically(file, text));
}
