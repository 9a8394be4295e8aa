// The controller keeps its texts (document names) in GBK, the program in UTF-8: the link converts at
// its boundary, and limits on controller text count GBK bytes.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Nothing when the text holds a character that GBK cannot carry, or is not valid UTF-8.
std::optional<std::string> Utf8ToGbk(std::string_view utf8);
// Nothing when the bytes are not valid GBK.
std::optional<std::string> GbkToUtf8(std::string_view gbk);

}  // namespace platform
