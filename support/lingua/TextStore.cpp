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
    const platform::LimitedRead content = platform::ReadWholeFileWithin(file, kMaxFileBytes);
    if (content.status != platform::ReadStatus::kRead) {
        return 1;
    }
    MergeTextLocked(
        std::string_view(reinterpret_cast<const char*>(content.bytes.data()), content.bytes.size()));
    return 0;
}

// Key lines before the first header belong to the section with the empty name.
void CTextStore::MergeTextLocked(std::string_view content) {
    std::size_t current = TextIndex::kNotFound;
    ReadTextFileLines(content, [&](const TextFileLine& line) {
        if (line.isHeader) {
            current = SectionLocked(std::string(line.section));
            return;
        }
        if (current == TextIndex::kNotFound) {
            current = SectionLocked(std::string());
        }
        sections_[current].Set(std::string(line.key), std::string(line.value));
    });
}

std::uint16_t CTextStore::LoadRecords(const std::filesystem::path& file) {
    Lock lock(lock_);
    platform::LimitedRead content = platform::ReadWholeFileWithin(file, kMaxFileBytes);
    if (content.status != platform::ReadStatus::kRead) {
        return 1;
    }
    ClearLocked();
    platform::Archive archive = platform::Archive::ForLoading(std::move(content.bytes));
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
        for (const auto& [key, value] : section.Pairs()) {
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
        for (const auto& [key, value] : section.Pairs()) {
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
    const std::size_t found = FindLocked(section);
    if (found == TextIndex::kNotFound) {
        return 1;
    }
    const std::string* stored = sections_[found].Find(key);
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
    sections_[SectionLocked(section)].Set(key, value);
}

std::size_t CTextStore::FindLocked(const std::string& section) const {
    return index_.Find(TextIndex::Hash(section, true),
                       [&](std::size_t at) { return sections_[at].name == section; });
}

std::size_t CTextStore::SectionLocked(const std::string& section) {
    const std::uint32_t hash = TextIndex::Hash(section, true);
    const std::size_t found =
        index_.Find(hash, [&](std::size_t at) { return sections_[at].name == section; });
    if (found != TextIndex::kNotFound) {
        return found;
    }
    sections_.emplace_back(section);
    index_.Insert(hash, sections_.size() - 1);
    return sections_.size() - 1;
}

void CTextStore::ClearLocked() {
    sections_.clear();
    index_.Clear();
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
    ClearLocked();
}

// Positions after the removed section change, so the index is made anew; deletions are rare.
void CTextStore::DeleteSection(const std::string& section) {
    Lock lock(lock_);
    const std::size_t found = FindLocked(section);
    if (found == TextIndex::kNotFound) {
        return;
    }
    sections_.erase(sections_.begin() + static_cast<std::ptrdiff_t>(found));
    index_.Clear();
    for (std::size_t at = 0; at < sections_.size(); ++at) {
        index_.Insert(TextIndex::Hash(sections_[at].name, true), at);
    }
}

void CTextStore::DeleteKey(const std::string& section, const std::string& key) {
    Lock lock(lock_);
    const std::size_t found = FindLocked(section);
    if (found != TextIndex::kNotFound) {
        sections_[found].Delete(key);
    }
}

std::uint16_t CTextStore::FindSection(const std::string& section) const {
    Lock lock(lock_);
    if (section.empty()) {
        return 0;
    }
    const std::size_t found = index_.Find(TextIndex::Hash(section, true), [&](std::size_t at) {
        return platform::EqualIgnoringCase(sections_[at].name, section);
    });
    return found == TextIndex::kNotFound ? 0 : 1;
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
    SectionLocked(section);
    return 0;
}
