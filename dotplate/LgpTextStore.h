// CLgpTextStore: the designer's own interface texts, by section and key, apart from the main program's.
// Filled once per opening of the designer from its language file, or from a built-in table that is then
// written out as that file. Only the designer's window thread uses it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

class CTextStore;

namespace dotplate {

class CLgpTextStore {
  public:
    CLgpTextStore();
    ~CLgpTextStore();
    CLgpTextStore(const CLgpTextStore&) = delete;
    CLgpTextStore& operator=(const CLgpTextStore&) = delete;

    // 1 when the file cannot be read (the store is left as it was); else the store holds exactly the
    // file's texts and 0 is returned.
    std::uint16_t LoadIni(const std::filesystem::path& file);
    // Writes the whole store; 0 whether or not the file could be written.
    std::uint16_t SaveIni(const std::filesystem::path& file);
    // The value, or an empty text when the section or key is missing.
    std::string GetText(const std::string& section, const std::string& key) const;
    void SetText(const std::string& text, const std::string& key, const std::string& section);
    void RemoveAll();
    void LoadDefaultChs();
    void LoadDefaultEng();

  private:
    std::unique_ptr<CTextStore> store_;
};

// The language file of a language index: 0 "LGP_chs.ini", 1 "LGP_cht.ini", 2 "LGP_eng.ini",
// 3 "LGP_other.ini", any other "LGP_chs.ini".
const char* LanguageFileName(std::uint16_t languageIndex);

// The built-in text of the key in the table that the language's file is written from (Chinese for
// "LGP_chs.ini", English for the others); empty when no table row has the key. The windows fall back on
// it for the keys that a language file written by an older version lacks.
std::string BuiltInText(std::uint16_t languageIndex, std::string_view section, std::string_view key);

// Fills the store from the language file in the program folder; a file that cannot be read is
// replaced by the built-in table of that file (Chinese for "LGP_chs.ini", English for the others),
// which is then written out.
// Nothing is loaded without a program folder.
void LoadLanguage(CLgpTextStore& store, const std::filesystem::path& programFolder, std::uint16_t languageIndex);

}  // namespace dotplate
