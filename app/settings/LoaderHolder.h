// The item-file interface over the text store that holds the parameter library "Param.lib": named
// sections of layer parameter values, stored as text. The parameter library dialog holds one
// CLoaderHolder for as long as it is open; destroying it empties the item store.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

class CLoaderHolder {
  public:
    CLoaderHolder() = default;
    ~CLoaderHolder();
    CLoaderHolder(const CLoaderHolder&) = delete;
    CLoaderHolder& operator=(const CLoaderHolder&) = delete;

    // Reads the item file over the store: 0 read, 1 empty path or a file that cannot be read or is
    // larger than an item file can be.
    std::uint16_t LoadItemFile(const std::filesystem::path& file);
    // Writes the whole store: 0 written, 1 empty path or a file that could not be written. A file that
    // LoadItemFile refused although it opened is damaged: its bytes are first kept aside and noted
    // (DamagedFiles.h), and it is not written when that fails.
    std::uint16_t SaveItemFile(const std::filesystem::path& file);
    void ClearItemStore();

    // Lookups compare section and key exactly; a missing one reads as "", 0.0 or 0. Numbers are read
    // like the C library's text conversions: the leading number of the text, 0 when there is none.
    std::string GetItemText(const std::string& section, const std::string& key);
    double GetItemDouble(const std::string& section, const std::string& key);
    std::int32_t GetItemInt(const std::string& section, const std::string& key);

    // Creates section and key when missing. Doubles are stored with six decimals ("2.500000"),
    // whatever the user's locale.
    void SetItemText(const std::string& section, const std::string& key, const std::string& text);
    void SetItemDouble(const std::string& section, const std::string& key, double value);
    void SetItemInt(const std::string& section, const std::string& key, std::int32_t value);

    // 1 when a section of that name exists, ignoring case; 0 otherwise and for an empty name.
    int FindItemSection(const std::string& section);
    // 0 appended an empty section, 1 empty name, 2 a section of that name exists (ignoring case).
    std::uint16_t AddItemSection(const std::string& section);
    // Removes every section of exactly that name with its keys; 0.
    std::uint16_t DeleteItemSection(const std::string& section);
    // Appends every section name in store order: 1 when no list is given or the store is empty, else 0.
    std::uint16_t GetItemSectionList(std::vector<std::string>* sections);

  private:
    std::filesystem::path damagedFile_;  // refused by LoadItemFile and not yet kept aside
};
