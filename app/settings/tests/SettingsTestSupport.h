// Shared helpers of the settings tests: putting every global back to its start value, whole-file reads
// and writes for fixtures, and a locale that writes numbers with a decimal comma.
#pragma once

#include "AtomicFile.h"
#include "ConnectionBlock.h"
#include "SettingsGlobals.h"
#include "SettingsRecords.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdint>
#include <filesystem>
#include <locale>
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

// While it lives, the process runs under a locale whose decimal separator is a comma, as on a German
// desktop: the C++ global locale always, the C library's too where the system has a German locale.
class CommaLocale {
  public:
    struct Numpunct : std::numpunct<char> {
        char do_decimal_point() const override { return ','; }
    };
    CommaLocale() : previous_(std::locale::global(std::locale(std::locale::classic(), new Numpunct))) {
        const char* c = std::setlocale(LC_ALL, nullptr);
        previousC_ = c ? c : "C";
        std::setlocale(LC_ALL, "de_DE.UTF-8");
    }
    ~CommaLocale() {
        std::setlocale(LC_ALL, previousC_.c_str());
        std::locale::global(previous_);
    }

  private:
    std::locale previous_;
    std::string previousC_;
};
