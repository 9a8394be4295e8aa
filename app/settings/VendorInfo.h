// The vendor information of the current language: company name, telephone, fax, address and web site
// with their labels, and the software title, kept in one small text file per language in the folder
// "Vendor" of the program folder.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>

class VendorInfo {
  public:
    // Entries by key: 0/1 company label and name, 2/3 telephone, 4/5 fax, 6/7 address, 8/9 web site,
    // 10 the label of the software title, 11 the software title (the main window's title).
    static constexpr int kEntryCount = 12;
    static constexpr int kSoftwareTitle = 11;
    // Twelve short texts take well under 1 kB; a larger file than this is not read.
    static constexpr std::uintmax_t kMaxFileBytes = 64u << 10;

    VendorInfo() = default;
    virtual ~VendorInfo() = default;

    // Sets the four file paths to <folder>/Vendor/Info_SChe.txt, Info_TChe.txt, Info_En.txt and
    // Info_Other.txt; an empty folder leaves them empty, which loads as a missing file.
    void SetProgramFolder(const std::filesystem::path& programFolder);

    // Fills the entries from the file of the language. A missing file gives the language's defaults,
    // which are written as the file; a file that exists but cannot be read gives the defaults and is
    // left alone, and so does one larger than kMaxFileBytes, which is also noted as damaged for the
    // operator (DamagedFiles.h). Lines are "key=text" (split at the last "="), CR LF or LF; a line with no
    // "=" or a key outside 0..11 is skipped, an empty line too. Entries that no line names keep their values.
    void Load(int languageIndex);
    // The defaults of the language: 1 Traditional Chinese, 2 and 3 English, any other Simplified Chinese.
    void ApplyDefaults(int languageIndex);
    // Writes every entry as "key=text" CR LF, keys ascending; a failure is silent.
    void Save(int languageIndex) const;

    // The file of the language: 0 Simplified Chinese, 1 Traditional Chinese, 2 English, 3 the further
    // language, any other index the Simplified Chinese file.
    const std::filesystem::path& PathFor(int languageIndex) const;

    std::filesystem::path pathSChe;
    std::filesystem::path pathTChe;
    std::filesystem::path pathEn;
    std::filesystem::path pathOther;
    std::array<std::string, kEntryCount> entries;

  private:
    void ReadLines(const std::string& content);
    void ReadLine(const std::string& line);
};

extern VendorInfo gVendorInfo;
