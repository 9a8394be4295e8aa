// CSettingstore: parameter values addressed by a key (a group) and an id (an entry of the group), each
// held as text, with typed getters and setters, and the parameter file that stores them.
#pragma once

#include <cstdint>
#include <filesystem>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "Archive.h"
#include "MessageSink.h"

// Parameter file, a binary archive:
//   archive string  marker "{AA9C923E-AFA3-44f2-97EE-0BEA0FCAA71A}" (compared ignoring case)
//   archive string  version ("ZintC_PARA_V1.0" from a default store)
//   u32 key count, then per key: u32 key, u32 entry count, then per entry: u32 id, archive string value
//
// Keys and entries keep insertion order and a lookup takes the first match. The long types of the
// getters and setters are 32-bit, as the files and the controller hold them: an unsigned value of 2^31
// or more is written as a negative number and reads back as the same bits. Every operation holds the
// store's lock. Results are 1 for success unless a member says otherwise.
class CSettingstore {
  public:
    static constexpr std::string_view kMarker = "{AA9C923E-AFA3-44f2-97EE-0BEA0FCAA71A}";
    static constexpr std::string_view kDefaultVersion = "ZintC_PARA_V1.0";
    // The largest parameter file that ImportParaFile reads; a machine's parameters take a few kB.
    static constexpr std::uintmax_t kMaxFileBytes = 1u << 20;

    CSettingstore() = default;
    virtual ~CSettingstore() = default;
    CSettingstore(const CSettingstore&) = delete;
    CSettingstore& operator=(const CSettingstore&) = delete;

    // Appends the file's keys after those already present and takes its version. 0, with the store
    // unchanged, when the file cannot be read, is larger than kMaxFileBytes, has another marker, is
    // truncated or corrupt, or holds bytes after its last key: a file is taken whole or not at all.
    int ImportParaFile(const std::filesystem::path& file);
    // Writes the store through a temporary file; 0 when that fails, the old file then kept.
    int ExportParaFile(const std::filesystem::path& file);

    // 1 and the value copied out when the entry exists; else 0 and value untouched.
    int GetParaData(std::uint32_t key, std::uint32_t id, std::string& value) const;
    // Replaces the entry's value, else appends the entry, creating the key at the end when missing; 0.
    int SetParaData(std::uint32_t key, std::uint32_t id, const std::string& value);
    void RemoveAllData();

    // Every (key, id) of the store in its order, repeats included: a file may hold a key or an id twice,
    // where a lookup sees only the first.
    struct EntryName {
        std::uint32_t key;
        std::uint32_t id;
    };
    std::vector<EntryName> EntryNames() const;

    // The leading decimal number of the stored text (0.0 when there is none); for the integer types
    // truncated toward zero, and the low bits of that kept. 1 found, 0 missing (value untouched).
    int GetFloatPara(std::uint32_t key, std::uint32_t id, double& value) const;
    int GetLongPara(std::uint32_t key, std::uint32_t id, std::int32_t& value) const;
    int GetShortPara(std::uint32_t key, std::uint32_t id, std::int16_t& value) const;
    int GetIntPara(std::uint32_t key, std::uint32_t id, int& value) const;
    int GetBoolPara(std::uint32_t key, std::uint32_t id, int& value) const;
    int GetULongPara(std::uint32_t key, std::uint32_t id, std::uint32_t& value) const;
    int GetUShortPara(std::uint32_t key, std::uint32_t id, std::uint16_t& value) const;

    // Six decimals for a double, plain decimal for the integers.
    int SetFloatPara(std::uint32_t key, std::uint32_t id, double value);
    int SetLongPara(std::uint32_t key, std::uint32_t id, std::int32_t value);
    int SetShortPara(std::uint32_t key, std::uint32_t id, std::int16_t value);
    int SetIntPara(std::uint32_t key, std::uint32_t id, int value);
    int SetBoolPara(std::uint32_t key, std::uint32_t id, int value);
    int SetULongPara(std::uint32_t key, std::uint32_t id, std::uint32_t value);
    int SetUShortPara(std::uint32_t key, std::uint32_t id, std::uint16_t value);

  private:
    struct Entry {
        std::uint32_t id;
        std::string value;
    };
    struct KeyRecord {
        std::uint32_t key;
        std::vector<Entry> entries;
    };

    // Storing writes every key; loading reads a whole key list and only then appends it, so that a
    // truncated archive, or one with bytes left after the key list, throws platform::ArchiveError with
    // the store unchanged.
    virtual void Serialize(platform::Archive& archive);

    template <typename Integer>
    int GetTruncated(std::uint32_t key, std::uint32_t id, Integer& value) const;

    mutable std::recursive_mutex lock_;
    std::vector<KeyRecord> keys_;
    std::string version_{kDefaultVersion};
};

// Shows the library's ownership notice when given the access word "PEWQUIN" (any letter case); 0.
std::uint16_t DLL_About(const std::string& text, platform::MessageSink& messages);
