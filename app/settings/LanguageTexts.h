// The interface texts of the current language: a thin interface over the language store, and the
// language selection that fills it from the built-in texts and the language file.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

// The text of the key in the section, compared exactly; empty when either is missing.
std::string GetLangText(const std::string& section, const std::string& key);
// Replaces the text in place, or appends the key (and the section) when missing.
void SetLangText(const std::string& section, const std::string& key, const std::string& text);
// Reads a language file over the store: 0 read, 1 empty path or a file that cannot be read.
std::uint16_t LoadLangFile(const std::filesystem::path& file);
// Writes the whole store to the file: 0 written, 1 empty path or a file that could not be written.
std::uint16_t SaveLangFile(const std::filesystem::path& file);
void ClearLangStore();

// The built-in texts of the current language over what the store holds: the Simplified Chinese set
// for LanguageIndex 0, the English set for every other index.
void WriteDefaultTexts();

// "Lang_chs.ini", "Lang_cht.ini", "Lang_eng.ini", "Lang_other.ini" for indexes 0 to 3; empty beyond.
std::string_view LanguageFileName(std::uint16_t languageIndex);

// Fills the store for LanguageIndex: the English built-in texts first, then the language file of the
// program folder over them. When that file is missing, the built-in texts of the language are put in
// and saved as the file; a file that exists but cannot be read is left alone and the built-in texts
// are used; when it opens but is refused (larger than a language file can be) it is noted as damaged
// for the operator (DamagedFiles.h). Then the vendor information of the language is loaded. Does nothing
// without a program folder. The store is never emptied here, so a key that only an earlier file supplied
// keeps its text.
void SelectLanguage();

// Loads the vendor information of LanguageIndex from the program folder.
void LoadVendorInfoForLanguage();
