#include "TextSection.h"

#include <algorithm>

const std::string* CTextSection::Find(const std::string& key) const {
    auto found =
        std::find_if(pairs.begin(), pairs.end(), [&](const auto& pair) { return pair.first == key; });
    return found == pairs.end() ? nullptr : &found->second;
}

void CTextSection::Set(const std::string& key, const std::string& value) {
    auto found =
        std::find_if(pairs.begin(), pairs.end(), [&](const auto& pair) { return pair.first == key; });
    if (found == pairs.end()) {
        pairs.emplace_back(key, value);
    } else {
        found->second = value;
    }
}

void CTextSection::Delete(const std::string& key) {
    std::erase_if(pairs, [&](const auto& pair) { return pair.first == key; });
}
