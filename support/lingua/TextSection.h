// CTextSection: one named section of a keyed text store, its key/value pairs in insertion order.
#pragma once

#include <cstddef>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

// Keys are unique within a section and compared exactly; a hash index beside the ordered pairs keeps
// every lookup and every set independent of how many keys the section holds.
class CTextSection {
  public:
    using Pair = std::pair<std::string, std::string>;

    explicit CTextSection(std::string sectionName) : name(std::move(sectionName)) {}

    std::string name;

    // The pairs in the order their keys were first set.
    const std::vector<Pair>& Pairs() const { return pairs_; }
    // The value of the pair with that key, or null.
    const std::string* Find(const std::string& key) const;
    // Replaces the value of the pair with that key, else appends a new pair.
    void Set(const std::string& key, const std::string& value);
    // Removes the pair with that key; the pairs after it move up.
    void Delete(const std::string& key);

  private:
    std::vector<Pair> pairs_;
    std::unordered_map<std::string, std::size_t> indexByKey_;  // position in pairs_
};
