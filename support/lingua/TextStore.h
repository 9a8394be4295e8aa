// CTextStore: an in-memory store of text values addressed by section and key, behind the language,
// item and preview text files. Every operation holds the store's own lock, so one store may be shared
// by any number of threads.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "TextIndex.h"
#include "TextSection.h"

// Text file form: "[name]" CR LF, then "key=value" CR LF per pair, then an empty line, per section in
// store order; UTF-8, no byte-order mark. Record form: a binary archive holding, for every pair in
// store order, three archive strings: section name, key, value.
//
// Section and key comparisons are exact and case-sensitive, except FindSection and AddSection, which
// ignore ASCII letter case. A name is therefore held by at most one section, and a key at most once in
// its section. Sections and keys are found through hash maps, so loading a file takes time in
// proportion to its size however many sections or keys it holds. Results follow the convention of the
// exported functions: 0 for success.
class CTextStore {
  public:
    // The largest file that LoadIni and LoadRecords read: the language files, the largest of the
    // files behind the store, hold some thousands of texts in well under 1 MB.
    static constexpr std::uintmax_t kMaxFileBytes = 8u << 20;

    CTextStore() = default;
    virtual ~CTextStore() = default;
    CTextStore(const CTextStore&) = delete;
    CTextStore& operator=(const CTextStore&) = delete;

    // Merges a text file into the store: later values replace earlier ones of the same section and
    // key. 0 read, 1 the file cannot be read or is larger than kMaxFileBytes (store unchanged).
    virtual std::uint16_t LoadIni(const std::filesystem::path& file);
    // Empties the store and reads the record form, up to the first incomplete record.
    // 0 read, 1 the file cannot be read or is larger than kMaxFileBytes (store unchanged).
    virtual std::uint16_t LoadRecords(const std::filesystem::path& file);
    // Writes the text form through a temporary file, so that a failed save leaves the old file.
    // 0 written, 1 the file could not be written.
    virtual std::uint16_t SaveIni(const std::filesystem::path& file);
    // The whole text form, taken under one hold of the lock.
    virtual std::string FormatText() const;
    // 0 written, 1 the file could not be written. An empty store writes an empty file.
    virtual std::uint16_t SaveRecords(const std::filesystem::path& file);

    // 0 and the value copied out when the section holds the key; else 1 and value untouched.
    virtual std::uint16_t Lookup(const std::string& section, const std::string& key,
                                 std::string* value) const;
    // Sets the value in every section of that name; without one, appends a section holding the pair.
    virtual std::uint16_t Put(const std::string& section, const std::string& key, const std::string& value);

    virtual std::string GetString(const std::string& section, const std::string& key) const;
    virtual void SetString(const std::string& section, const std::string& key, const std::string& value);
    // The leading decimal integer of the value; 0 when missing or not a number.
    virtual int GetInt(const std::string& section, const std::string& key) const;
    virtual void SetInt(const std::string& section, const std::string& key, int value);
    // The leading decimal number of the value; 0.0 when missing or not a number.
    virtual double GetDouble(const std::string& section, const std::string& key) const;
    // Stored with six decimals, as "%lf" writes it.
    virtual void SetDouble(const std::string& section, const std::string& key, double value);

    virtual void RemoveAll();
    // Deletes every section of that name.
    virtual void DeleteSection(const std::string& section);
    // Deletes every pair with that key from every section of that name.
    virtual void DeleteKey(const std::string& section, const std::string& key);
    // 1 when a section of that name exists ignoring case; 0 when none does or the name is empty.
    virtual std::uint16_t FindSection(const std::string& section) const;
    // Appends every section name in store order; 1 when names is null or the store is empty, else 0.
    virtual std::uint16_t GetSectionList(std::vector<std::string>* names) const;
    // 1 for an empty name, 2 when a section of that name exists ignoring case, else appends an empty
    // section and returns 0.
    virtual std::uint16_t AddSection(const std::string& section);

  private:
    // Caller holds the lock.
    void PutLocked(const std::string& section, const std::string& key, const std::string& value);
    void MergeTextLocked(std::string_view content);
    // The position of the section of exactly that name, or TextIndex::kNotFound.
    std::size_t FindLocked(const std::string& section) const;
    // The position of the section of exactly that name, appended empty when there is none.
    std::size_t SectionLocked(const std::string& section);
    void ClearLocked();

    mutable std::recursive_mutex lock_;
    std::vector<CTextSection> sections_;  // in the order first met or created
    // Names that differ only in letter case hash alike: a lookup compares exactly among them, a search
    // ignoring case takes any of them.
    TextIndex index_;
};
