// The widget libraries' way to the program's language texts. The program hands its lookup over at
// start-up, so that the toolkit and the dialog kit need not link the program's settings.
#pragma once

#include <functional>
#include <string>

namespace widgets {

using TextLookup = std::function<std::string(const std::string& section, const std::string& key)>;

void SetTextLookup(TextLookup lookup);

// The text of `key` in `section`; empty until the program has handed its lookup over.
std::string LookUpText(const std::string& section, const std::string& key);

}  // namespace widgets
