// The controller's own text (document names) is GBK; the program's text is UTF-8. Names are measured
// in GBK bytes, the way the controller counts them.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// The GBK bytes of the UTF-8 text; nothing when the text is not valid UTF-8 or holds a character that
// GBK cannot represent.
std::optional<std::string> Utf8ToGbk(std::string_view utf8);
