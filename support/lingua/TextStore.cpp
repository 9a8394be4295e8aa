#include "TextStore.h"

#include <algorithm>
#include <limits>
#include <string_view>

#include "Archive.h"
#include "AsciiText.h"
#include "AtomicFile.h"
#include "Numbers.h"
#include "TextFileLines.h"

namespace {

using Lock = std::lock_guard<std::recursive_mutex>;

}  // namespace

std::uint16_t CTextStore::LoadIni(const std::filesystem::path& file) {
    Lock lock(lock_);
    const auto content = platform::ReadWholeFile(file);
    if (!content) {
        return 1;
    }
    MergeTextLocked(std::string_view(reinterpret_cast<const char*>(content->data()), content->size()));
    return 0;
}

void CTextStore::MergeTextLocked(std::string_view content) {
    std::string currentSection;
    ReadTextFileLines(content, [&](const TextFileLine& line) {
        if (!line.isHeader) {
            PutLocked(currentSection, std::string(line.key), std::string(line.value));
            return;
        }
        currentSection = line.section;
        const bool known = std::any_of(sections_.begin(), sections_.end(),
                                       [&](const CTextSection& s) { return s.name == currentSection; });
        if (!known) {
            sections_.emplace_back(currentSection);
        }
    });
}

std::uint16_t CTextStore::LoadRecords(const std::filesystem::path& file) {
    Lock lock(lock_);
    const auto content = platform::ReadWholeFile(file);
    if (!content) {
        return 1;
    }
    sections_.clear();
    platform::Archive archive = platform::Archive::ForLoading(*content);
    try {
        while (archive.Remaining() > 0) {
            std::string section = archive.ReadString();
            std::string key = archive.ReadString();
            std::string value = archive.ReadString();
            PutLocked(section, key, value);
        }
    } catch (const platform::ArchiveError&) {
        // An incomplete last record ends the file; the complete ones before it are kept.
    }
    return 0;
}

std::uint16_t CTextStore::SaveIni(const std::filesystem::path& file) {
    Lock lock(lock_);
    return platform::WriteFileAtomically(file, FormatText()) ? 0 : 1;
}

std::string CTextStore::FormatText() const {
    Lock lock(lock_);
    std::string text;
    for (const CTextSection& section : sections_) {
        text += '[';
        text += section.name;
        text += "]\r\n";
        for (const auto& [key, value] : section.pairs) {
            text += key;
            text += '=';
            text += value;
            text += "\r\n";
        }
        text += "\r\n";
    }
    return text;
}

std::uint16_t CTextStore::SaveRecords(const std::filesystem::path& file) {
    Lock lock(lock_);
    platform::Archive archive = platform::Archive::ForStoring();
    for (const CTextSection& section : sections_) {
        for (const auto& [key, value] : section.pairs) {
            archive << section.name << key << value;
        }
    }
    return archive.SaveToFile(file) ? 0 : 1;
}

std::uint16_t CTextStore::Lookup(const std::string& section, const std::string& key,
                                 std::string* value) const {
    Lock lock(lock_);
    if (value == nullptr) {
        return 1;
    }
    auto found = std::find_if(sections_.begin(), sections_.end(),
                              [&](const CTextSection& s) { return s.name == section; });
    if (found == sections_.end()) {
        return 1;
    }
    const std::string* stored = found->Find(key);
    if (stored == nullptr) {
        return 1;
    }
    *value = *stored;
    return 0;
}

std::uint16_t CTextStore::Put(const std::string& section, const std::string& key, const std::string& value) {
    Lock lock(lock_);
    PutLocked(section, key, value);
    return 0;
}

void CTextStore::PutLocked(const std::string& section, const std::string& key, const std::string& value) {
    bool stored = false;
    for (CTextSection& candidate : sections_) {
        if (candidate.name == section) {
            candidate.Set(key, value);
            stored = true;
        }
    }
    if (!stored) {
        sections_.emplace_back(section).Set(key, value);
    }
}

std::string CTextStore::GetString(const std::string& section, const std::string& key) const {
    std::string value;
    Lookup(section, key, &value);
    return value;
}

void CTextStore::SetString(const std::string& section, const std::string& key, const std::string& value) {
    Put(section, key, value);
}

int CTextStore::GetInt(const std::string& section, const std::string& key) const {
    const std::string text = GetString(section, key);
    // Like the C library's conversion, a value beyond the range of int gives the nearest limit.
    return static_cast<int>(std::clamp<std::int64_t>(
        platform::ParseLeadingInt(text), std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

void CTextStore::SetInt(const std::string& section, const std::string& key, int value) {
    Put(section, key, platform::FormatInt(value));
}

double CTextStore::GetDouble(const std::string& section, const std::string& key) const {
    const std::string text = GetString(section, key);
    return platform::ParseLeadingDouble(text);
}

void CTextStore::SetDouble(const std::string& section, const std::string& key, double value) {
    Put(section, key, platform::FormatFixed(value, 6));
}

void CTextStore::RemoveAll() {
    Lock lock(lock_);
    sections_.clear();
}

void CTextStore::DeleteSection(const std::string& section) {
    Lock lock(lock_);
    std::erase_if(sections_, [&](const CTextSection& s) { return s.name == section; });
}

void CTextStore::DeleteKey(const std::string& section, const std::string& key) {
    Lock lock(lock_);
    for (CTextSection& candidate : sections_) {
        if (candidate.name == section) {
            candidate.Delete(key);
        }
    }
}

std::uint16_t CTextStore::FindSection(const std::string& section) const {
    Lock lock(lock_);
    if (section.empty()) {
        return 0;
    }
    return std::any_of(sections_.begin(), sections_.end(),
                       [&](const CTextSection& s) { return platform::EqualIgnoringCase(s.name, section); })
               ? 1
               : 0;
}

std::uint16_t CTextStore::GetSectionList(std::vector<std::string>* names) const {
    Lock lock(lock_);
    if (names == nullptr || sections_.empty()) {
        return 1;
    }
    for (const CTextSection& section : sections_) {
        names->push_back(section.name);
    }
    return 0;
}

std::uint16_t CTextStore::AddSection(const std::string& section) {
    Lock lock(lock_);
    if (section.empty()) {
        return 1;
    }
    if (FindSection(section) != 0) {
        return 2;
    }
    sections_.emplace_back(section);
    return 0;
}
