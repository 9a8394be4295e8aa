#include "Settingstore.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "AsciiText.h"
#include "AtomicFile.h"
#include "Numbers.h"

namespace {

using Lock = std::lock_guard<std::recursive_mutex>;

// Truncation toward zero that stays defined for every double: beyond the 64-bit range it gives the
// nearest limit, and NaN gives 0.
std::int64_t TruncateToInt64(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    constexpr double kTwoTo63 = 9223372036854775808.0;
    if (value >= kTwoTo63) {
        return std::numeric_limits<std::int64_t>::max();
    }
    if (value < -kTwoTo63) {
        return std::numeric_limits<std::int64_t>::min();
    }
    return static_cast<std::int64_t>(value);
}

}  // namespace

int CSettingstore::ImportParaFile(const std::filesystem::path& file) {
    Lock lock(lock_);
    platform::LimitedRead content = platform::ReadWholeFileWithin(file, kMaxFileBytes);
    if (content.status != platform::ReadStatus::kRead) {
        return 0;
    }
    try {
        platform::Archive archive = platform::Archive::ForLoading(std::move(content.bytes));
        if (!platform::EqualIgnoringCase(archive.ReadString(), kMarker)) {
            return 0;
        }
        std::string version = archive.ReadString();
        Serialize(archive);
        version_ = std::move(version);
        return 1;
    } catch (const platform::ArchiveError&) {
        return 0;
    }
}

int CSettingstore::ExportParaFile(const std::filesystem::path& file) {
    Lock lock(lock_);
    platform::Archive archive = platform::Archive::ForStoring();
    archive << kMarker << version_;
    Serialize(archive);
    return archive.SaveToFile(file) ? 1 : 0;
}

void CSettingstore::Serialize(platform::Archive& archive) {
    if (archive.IsStoring()) {
        archive << static_cast<std::uint32_t>(keys_.size());
        for (const KeyRecord& record : keys_) {
            archive << record.key << static_cast<std::uint32_t>(record.entries.size());
            for (const Entry& entry : record.entries) {
                archive << entry.id << std::string_view(entry.value);
            }
        }
        return;
    }
    // Counts are not trusted: no room is reserved for them, and the reads fail at the end of the data.
    std::vector<KeyRecord> loaded;
    std::uint32_t keyCount = 0;
    archive >> keyCount;
    for (std::uint32_t k = 0; k < keyCount; ++k) {
        KeyRecord& record = loaded.emplace_back();
        std::uint32_t entryCount = 0;
        archive >> record.key >> entryCount;
        for (std::uint32_t e = 0; e < entryCount; ++e) {
            Entry& entry = record.entries.emplace_back();
            archive >> entry.id >> entry.value;
        }
    }
    // A key count cut short by a damaged bit would otherwise take the keys before it as the whole file.
    if (archive.Remaining() != 0) {
        throw platform::ArchiveError("bytes after the last key of a parameter file");
    }
    keys_.insert(keys_.end(), std::make_move_iterator(loaded.begin()), std::make_move_iterator(loaded.end()));
}

int CSettingstore::GetParaData(std::uint32_t key, std::uint32_t id, std::string& value) const {
    Lock lock(lock_);
    auto record = std::find_if(keys_.begin(), keys_.end(), [&](const KeyRecord& r) { return r.key == key; });
    if (record == keys_.end()) {
        return 0;
    }
    auto entry = std::find_if(record->entries.begin(), record->entries.end(),
                              [&](const Entry& e) { return e.id == id; });
    if (entry == record->entries.end()) {
        return 0;
    }
    value = entry->value;
    return 1;
}

std::vector<CSettingstore::EntryName> CSettingstore::EntryNames() const {
    Lock lock(lock_);
    std::vector<EntryName> names;
    for (const KeyRecord& record : keys_) {
        for (const Entry& entry : record.entries) {
            names.push_back({record.key, entry.id});
        }
    }
    return names;
}

int CSettingstore::SetParaData(std::uint32_t key, std::uint32_t id, const std::string& value) {
    Lock lock(lock_);
    auto record = std::find_if(keys_.begin(), keys_.end(), [&](const KeyRecord& r) { return r.key == key; });
    if (record == keys_.end()) {
        record = keys_.insert(keys_.end(), KeyRecord{key, {}});
    }
    auto entry = std::find_if(record->entries.begin(), record->entries.end(),
                              [&](const Entry& e) { return e.id == id; });
    if (entry == record->entries.end()) {
        record->entries.push_back(Entry{id, value});
    } else {
        entry->value = value;
    }
    return 0;
}

void CSettingstore::RemoveAllData() {
    Lock lock(lock_);
    keys_.clear();
}

int CSettingstore::GetFloatPara(std::uint32_t key, std::uint32_t id, double& value) const {
    std::string text;
    if (GetParaData(key, id, text) == 0) {
        return 0;
    }
    value = platform::ParseLeadingDouble(text);
    return 1;
}

template <typename Integer>
int CSettingstore::GetTruncated(std::uint32_t key, std::uint32_t id, Integer& value) const {
    double number = 0.0;
    if (GetFloatPara(key, id, number) == 0) {
        return 0;
    }
    value = static_cast<Integer>(TruncateToInt64(number));  // keeps the low bits
    return 1;
}

int CSettingstore::GetLongPara(std::uint32_t key, std::uint32_t id, std::int32_t& value) const {
    return GetTruncated(key, id, value);
}

int CSettingstore::GetShortPara(std::uint32_t key, std::uint32_t id, std::int16_t& value) const {
    return GetTruncated(key, id, value);
}

int CSettingstore::GetIntPara(std::uint32_t key, std::uint32_t id, int& value) const {
    return GetTruncated(key, id, value);
}

int CSettingstore::GetBoolPara(std::uint32_t key, std::uint32_t id, int& value) const {
    return GetTruncated(key, id, value);
}

int CSettingstore::GetULongPara(std::uint32_t key, std::uint32_t id, std::uint32_t& value) const {
    return GetTruncated(key, id, value);
}

int CSettingstore::GetUShortPara(std::uint32_t key, std::uint32_t id, std::uint16_t& value) const {
    return GetTruncated(key, id, value);
}

int CSettingstore::SetFloatPara(std::uint32_t key, std::uint32_t id, double value) {
    SetParaData(key, id, platform::FormatFixed(value, 6));
    return 1;
}

int CSettingstore::SetLongPara(std::uint32_t key, std::uint32_t id, std::int32_t value) {
    SetParaData(key, id, platform::FormatInt(value));
    return 1;
}

int CSettingstore::SetShortPara(std::uint32_t key, std::uint32_t id, std::int16_t value) {
    SetParaData(key, id, platform::FormatInt(value));
    return 1;
}

int CSettingstore::SetIntPara(std::uint32_t key, std::uint32_t id, int value) {
    SetParaData(key, id, platform::FormatInt(value));
    return 1;
}

int CSettingstore::SetBoolPara(std::uint32_t key, std::uint32_t id, int value) {
    SetParaData(key, id, platform::FormatInt(value));
    return 1;
}

int CSettingstore::SetULongPara(std::uint32_t key, std::uint32_t id, std::uint32_t value) {
    SetParaData(key, id, platform::FormatInt(static_cast<std::int32_t>(value)));
    return 1;
}

int CSettingstore::SetUShortPara(std::uint32_t key, std::uint32_t id, std::uint16_t value) {
    SetParaData(key, id, platform::FormatInt(value));
    return 1;
}

std::uint16_t DLL_About(const std::string& text, platform::MessageSink& messages) {
    if (platform::EqualIgnoringCase(text, "PEWQUIN")) {
        messages.ShowMessageBox(
            "Settingstore, the parameter store of Cutrix. All rights reserved by its authors.",
            "About Settingstore", platform::kOk | platform::kIconInformation);
    }
    return 0;
}
