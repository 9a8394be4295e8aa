// CTextSection: one named section of a keyed text store, its key/value pairs in insertion order.
#pragma once

#include <string>
#include <utility>
#include <vector>

class CTextSection {
  public:
    explicit CTextSection(std::string sectionName) : name(std::move(sectionName)) {}

    std::string name;
    std::vector<std::pair<std::string, std::string>> pairs;

    // The value of the first pair with that key (exact comparison), or null.
    const std::string* Find(const std::string& key) const;
    // Replaces the value of the first pair with that key, else appends a new pair.
    void Set(const std::string& key, const std::string& value);
    // Removes every pair with that key.
    void Delete(const std::string& key);
};
