#include "TextLookup.h"

#include <utility>

namespace widgets {
namespace {
TextLookup& CurrentLookup() {
    static TextLookup lookup;
    return lookup;
}
}  // namespace

void SetTextLookup(TextLookup lookup) { CurrentLookup() = std::move(lookup); }

std::string LookUpText(const std::string& section, const std::string& key) {
    const TextLookup& lookup = CurrentLookup();
    return lookup ? lookup(section, key) : std::string();
}

}  // namespace widgets
