#include "TextSection.h"

const std::string* CTextSection::Find(const std::string& key) const {
    const auto found = indexByKey_.find(key);
    return found == indexByKey_.end() ? nullptr : &pairs_[found->second].second;
}

void CTextSection::Set(const std::string& key, const std::string& value) {
    const auto [found, inserted] = indexByKey_.try_emplace(key, pairs_.size());
    if (inserted) {
        pairs_.emplace_back(key, value);
    } else {
        pairs_[found->second].second = value;
    }
}

void CTextSection::Delete(const std::string& key) {
    const auto found = indexByKey_.find(key);
    if (found == indexByKey_.end()) {
        return;
    }
    const std::size_t removed = found->second;
    indexByKey_.erase(found);
    pairs_.erase(pairs_.begin() + static_cast<std::ptrdiff_t>(removed));
    for (std::size_t index = removed; index < pairs_.size(); ++index) {
        indexByKey_[pairs_[index].first] = index;
    }
}
