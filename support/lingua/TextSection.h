// CTextSection: one named section of a keyed text store, its key/value pairs in insertion order.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "TextIndex.h"

// Keys are unique within a section and compared exactly. A section of a few keys, as most are, is
// searched directly; a larger one keeps a hash index beside its pairs, so that every lookup and every
// set takes the same time however many keys the section holds.
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
    // Sections of up to this many keys have no index.
    static constexpr std::size_t kMaxUnindexedKeys = 8;

    bool Indexed() const { return pairs_.size() > kMaxUnindexedKeys; }
    // The position of the key in pairs_, or pairs_.size() when it is missing.
    std::size_t IndexOf(const std::string& key, std::uint32_t hash) const;
    void Reindex();

    std::vector<Pair> pairs_;
    TextIndex index_;  // empty while the section is small
};
