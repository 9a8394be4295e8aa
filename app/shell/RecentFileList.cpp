#include "RecentFileList.h"

#include <algorithm>
#include <string>
#include <system_error>

#include "AtomicFile.h"

namespace {

// One path per line: a path holding a line break could not be read back, so it is never kept.
bool Storable(const std::filesystem::path& file) {
    const std::string text = file.string();
    return !text.empty() && text.find_first_of("\r\n") == std::string::npos;
}

std::filesystem::path Absolute(const std::filesystem::path& file) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(file, error);
    return error ? file.lexically_normal() : absolute.lexically_normal();
}

}  // namespace

CRecentFileList::CRecentFileList(std::filesystem::path store) : store_(std::move(store)) {
    const auto bytes = platform::ReadWholeFile(store_);
    if (!bytes) {
        return;
    }
    std::string line;
    for (const std::uint8_t byte : *bytes) {
        if (byte != '\n') {
            line.push_back(static_cast<char>(byte));
            continue;
        }
        if (Storable(line) && entries_.size() < kMaxEntries) {
            entries_.emplace_back(line);
        }
        line.clear();
    }
}

void CRecentFileList::Add(const std::filesystem::path& file) {
    const std::filesystem::path entry = Absolute(file);
    if (!Storable(entry)) {
        return;
    }
    std::erase(entries_, entry);
    entries_.insert(entries_.begin(), entry);
    if (entries_.size() > kMaxEntries) {
        entries_.resize(kMaxEntries);
    }
}

void CRecentFileList::Remove(std::size_t index) {
    if (index < entries_.size()) {
        entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(index));
    }
}

bool CRecentFileList::Save() const {
    std::string text;
    for (const std::filesystem::path& entry : entries_) {
        text += entry.string();
        text += '\n';
    }
    return platform::WriteFileAtomically(store_, text);
}
