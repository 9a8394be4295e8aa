// Language store access and language selection.
#include "LanguageTexts.h"

#include "DamagedFiles.h"
#include "DefaultTexts.h"
#include "FileState.h"
#include "LoadExports.h"
#include "ProgramFolder.h"
#include "SettingsGlobals.h"
#include "VendorInfo.h"

#include <array>

namespace {

constexpr std::array<std::string_view, kLastLanguageIndex + 1> kLanguageFileNames = {
    "Lang_chs.ini",
    "Lang_cht.ini",
    "Lang_eng.ini",
    "Lang_other.ini",
};

}  // namespace

std::string GetLangText(const std::string& section, const std::string& key) {
    std::string text;
    _load_getlang(section, key, &text);
    return text;
}

void SetLangText(const std::string& section, const std::string& key, const std::string& text) {
    _load_setlang(section, key, text);
}

std::uint16_t LoadLangFile(const std::filesystem::path& file) {
    return _load_lang(file.c_str());
}

std::uint16_t SaveLangFile(const std::filesystem::path& file) {
    return _load_outlang(file.c_str());
}

void ClearLangStore() {
    _load_dellang();
}

void WriteDefaultTexts() {
    if (LanguageIndex == kLanguageSimplifiedChinese) {
        SetDefaultTextsChs();
    } else {
        SetDefaultTextsEng();
    }
}

std::string_view LanguageFileName(std::uint16_t languageIndex) {
    return languageIndex < kLanguageFileNames.size() ? kLanguageFileNames[languageIndex] : std::string_view();
}

void SelectLanguage() {
    const std::filesystem::path folder = platform::ProgramFolder();
    if (folder.empty()) {
        return;
    }
    SetDefaultTextsEng();
    const std::string_view fileName = LanguageFileName(LanguageIndex);
    if (!fileName.empty()) {
        const std::filesystem::path file = folder / fileName;
        if (LoadLangFile(file) != 0) {
            WriteDefaultTexts();
            const SettingsFileState state = StateAfterFailedLoad(file);
            if (state == SettingsFileState::kMissing) {
                SaveLangFile(file);
            } else if (state == SettingsFileState::kDamaged) {
                NoteDamagedFileLeftInPlace(file);
            }
        }
    }
    LoadVendorInfoForLanguage();
}

void LoadVendorInfoForLanguage() {
    gVendorInfo.SetProgramFolder(platform::ProgramFolder());
    gVendorInfo.Load(LanguageIndex);
}
