#include "TextSection.h"

#include <algorithm>

namespace {

std::uint32_t KeyHash(const std::string& key) {
    return TextIndex::Hash(key, false);
}

}  // namespace

std::size_t CTextSection::IndexOf(const std::string& key, std::uint32_t hash) const {
    if (!Indexed()) {
        const auto found =
            std::find_if(pairs_.begin(), pairs_.end(), [&](const Pair& pair) { return pair.first == key; });
        return static_cast<std::size_t>(found - pairs_.begin());
    }
    const std::size_t found = index_.Find(hash, [&](std::size_t at) { return pairs_[at].first == key; });
    return found == TextIndex::kNotFound ? pairs_.size() : found;
}

void CTextSection::Reindex() {
    index_.Clear();
    if (!Indexed()) {
        return;
    }
    for (std::size_t at = 0; at < pairs_.size(); ++at) {
        index_.Insert(KeyHash(pairs_[at].first), at);
    }
}

const std::string* CTextSection::Find(const std::string& key) const {
    const std::size_t at = IndexOf(key, Indexed() ? KeyHash(key) : 0);
    return at == pairs_.size() ? nullptr : &pairs_[at].second;
}

void CTextSection::Set(const std::string& key, const std::string& value) {
    const std::uint32_t hash = KeyHash(key);
    const std::size_t at = IndexOf(key, hash);
    if (at < pairs_.size()) {
        pairs_[at].second = value;
        return;
    }
    pairs_.emplace_back(key, value);
    if (pairs_.size() == kMaxUnindexedKeys + 1) {
        Reindex();
    } else if (Indexed()) {
        index_.Insert(hash, at);
    }
}

// Positions after the removed pair change, so the index is made anew; deletions are rare.
void CTextSection::Delete(const std::string& key) {
    const std::size_t at = IndexOf(key, Indexed() ? KeyHash(key) : 0);
    if (at == pairs_.size()) {
        return;
    }
    pairs_.erase(pairs_.begin() + static_cast<std::ptrdiff_t>(at));
    Reindex();
}
